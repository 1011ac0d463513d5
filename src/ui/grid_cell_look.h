#pragma once

#include <QFont>

namespace plexion {

// How the sheet wants one cell drawn: where it stands and in which fonts
// (already zoomed).
struct CGridCellLook {
    bool fixed = false;
    bool highlighted = false;
    const QFont* font = nullptr;
    const QFont* boldFont = nullptr;
};

}  // namespace plexion
