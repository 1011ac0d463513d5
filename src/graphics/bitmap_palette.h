#pragma once

#include <QList>
#include <QRgb>

namespace plexion {

// The 256 colours of 8-bit storages: a 6 x 6 x 6 colour cube and 40 grays.
const QList<QRgb>& StandardPalette();

}  // namespace plexion
