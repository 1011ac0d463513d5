#pragma once

#include <QFont>

namespace plexion {

// The font cells show and are measured in: the application's default font.
QFont GridInterfaceFont();
// The font of "Yes" in yes/no cells: the system's general font in bold.
QFont GridBoldSystemFont();
// `font` scaled by a zoom factor, for drawing zoomed cells.
QFont ZoomedFont(QFont font, double zoom);

}  // namespace plexion
