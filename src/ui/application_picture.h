#pragma once

class QPainter;

namespace plexion {

// The application's picture, drawn into a square of `size` pixels at the
// painter's origin: the About box, the window icon and the installed icons
// are all this one drawing.
void PaintApplicationPicture(QPainter& painter, double size);

// The picture of a resource document for file managers: a sheet of paper
// with a folded corner carrying the application's picture.
void PaintDocumentPicture(QPainter& painter, double size);

}  // namespace plexion
