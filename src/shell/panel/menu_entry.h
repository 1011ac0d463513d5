#pragma once

class QAction;
class QMenu;

namespace plexion {

// One entry of a panel's context menu: the id its action carries in
// data(), the text, the shortcut text shown beside it and the help text of
// the status bar.
struct CMenuEntry {
    int id;
    const char* label;
    const char* shortcut;
    const char* description;
};

QAction* AddMenuEntry(QMenu& menu, const CMenuEntry& entry, bool enabled);

}  // namespace plexion
