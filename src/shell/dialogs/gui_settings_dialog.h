#pragma once

class QWidget;

namespace plexion {

// Graphical User Interface Settings: the fourteen interface colours in
// their four sections, then how many minutes apart modified documents get
// their recovery copy. OK stores the colours in the process-wide colour set,
// the minutes in `autosaveMinutes`, and returns true (the caller repaints
// every window); Cancel changes nothing and returns false.
bool ShowGuiSettingsDialog(QWidget* parent, int& autosaveMinutes);

}  // namespace plexion
