#include "empty_edit_menu.h"

#include <QAction>
#include <QMenu>

namespace plexion {

void AddEmptyEditEntry(QMenu* menu) {
    QAction* entry = menu->addAction(QStringLiteral("Empty"));
    entry->setStatusTip(QStringLiteral("Empty menu"));
    entry->setEnabled(false);
}

}  // namespace plexion
