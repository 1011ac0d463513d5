#pragma once

class QMenu;

namespace plexion {

// The "Edi&t" submenu of a panel without commands of its own: one disabled
// entry saying so.
void AddEmptyEditEntry(QMenu* menu);

}  // namespace plexion
