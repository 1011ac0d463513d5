#pragma once

#include <QIcon>

#include "plexion_version.h"

class QWidget;

namespace plexion {

inline constexpr char kProductName[] = "Plexion";
inline constexpr char kProductVersion[] = "Version " PLEXION_VERSION;

// The editor's picture at the usual icon sizes, drawn in code; the window
// icon of every frame.
QIcon ApplicationIcon();

// The modal About box: the editor's picture, the product name with its
// version, and OK.
void ShowAboutBox(QWidget* parent);

}  // namespace plexion
