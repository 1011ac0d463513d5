#include "mdi_arrangement.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace plexion {

namespace {

// Topmost first, which puts the active window first.
QList<QMdiSubWindow*> WindowsToTile(QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    const QList<QMdiSubWindow*> stacking = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it) {
        if ((*it)->isVisible() && !(*it)->isMinimized()) {
            windows.append(*it);
        }
    }
    return windows;
}

void Tile(QMdiArea& area, bool stacked) {
    const QList<QMdiSubWindow*> windows = WindowsToTile(area);
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area.viewport()->rect();
    const int count = static_cast<int>(windows.size());
    const int extent = stacked ? space.height() : space.width();
    for (int index = 0; index < count; ++index) {
        const int start = extent * index / count;
        const int end = extent * (index + 1) / count;
        QMdiSubWindow* window = windows[index];
        window->showNormal();
        window->setGeometry(stacked ? QRect(0, start, space.width(), end - start)
                                    : QRect(start, 0, end - start, space.height()));
    }
}

}  // namespace

void TileHorizontally(QMdiArea& area) { Tile(area, true); }

void TileVertically(QMdiArea& area) { Tile(area, false); }

void ArrangeIcons(QMdiArea& area) {
    const QRect space = area.viewport()->rect();
    int x = 0;
    int y = space.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) {
            continue;
        }
        const QSize size = window->size();
        if (x > 0 && x + size.width() > space.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        window->move(x, y - size.height());
        x += size.width();
    }
}

}  // namespace plexion
