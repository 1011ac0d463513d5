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
    // The column's width at zoom 1: a cell measured no wider is drawn as it
    // is, without looking for a place to cut it.
    double columnWidth = 0.0;
};

}  // namespace plexion
