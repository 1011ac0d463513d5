#pragma once

#include <QRect>
#include <QString>

class QPainter;

namespace plexion {

// The band preview of a texts or binary files item: the band loses a margin
// of 8 pixels at the sides (and at the top and bottom when it is tall
// enough), `caption` is written on one line at its top, and 8 pixels below
// it `body` is written word-wrapped on an opaque background, "&" shown as
// it is. `band` is left as the area below the caption.
void DrawCaptionedTextPreview(QPainter& painter, QRect& band, const QString& caption,
                              const QString& body);

}  // namespace plexion
