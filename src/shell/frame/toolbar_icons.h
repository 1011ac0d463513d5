#pragma once

#include <QIcon>

namespace plexion {

// The 16 × 15 picture of a toolbar command (New, Open, Save, Cut, Copy,
// Paste, the eight panels, Maintain Relationships, Check Integrity, Print,
// About and the two tilings), drawn in code at one and two device pixels
// per pixel; an empty icon for any other command.
QIcon CommandIcon(int commandId);

}  // namespace plexion
