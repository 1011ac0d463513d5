#include "menu_entry.h"

#include <QAction>
#include <QMenu>

namespace plexion {

QAction* AddMenuEntry(QMenu& menu, const CMenuEntry& entry, bool enabled) {
    QString text = QString::fromLatin1(entry.label);
    if (entry.shortcut != nullptr && entry.shortcut[0] != '\0') {
        text += QLatin1Char('\t') + QString::fromLatin1(entry.shortcut);
    }
    QAction* action = menu.addAction(text);
    action->setData(entry.id);
    action->setStatusTip(QString::fromLatin1(entry.description));
    action->setEnabled(enabled);
    return action;
}

}  // namespace plexion
