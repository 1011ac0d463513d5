#pragma once

class QMdiArea;

namespace plexion {

// The document windows that are not minimized, made normal and laid out as
// non-overlapping tiles over the whole area: one above the other
// (horizontally) or side by side (vertically), the active window first.
void TileHorizontally(QMdiArea& area);
void TileVertically(QMdiArea& area);
// The minimized document windows in a row along the bottom of the area,
// wrapping upwards when the row is full.
void ArrangeIcons(QMdiArea& area);

}  // namespace plexion
