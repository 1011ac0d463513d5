#pragma once

class QWidget;

namespace plexion {

// Graphical User Interface Settings: the fourteen interface colours in
// their four sections. OK stores them in the process-wide colour set and
// returns true (the caller repaints every window); Cancel changes nothing
// and returns false.
bool ShowGuiSettingsDialog(QWidget* parent);

}  // namespace plexion
