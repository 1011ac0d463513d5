#pragma once

namespace plexion {

// What the user reads of a command: its menu label (with "\t" and the
// shortcut where it has one), the status-bar prompt and the tooltip.
// Commands that live only on the toolbar have their tooltip as label.
struct CCommandText {
    int id;
    const char* label;
    const char* prompt;
    const char* toolTip;
};

// The texts of a command id of command_ids.h; null for an unknown id.
const CCommandText* CommandText(int commandId);

}  // namespace plexion
