// Split Bitmap Into Map: the dialog, the cut with its progress, and the new
// bitmaps and map added in one edit.
#include <QApplication>
#include <QMessageBox>

#include "bitmap_item.h"
#include "kind_panel_cells.h"
#include "long_work_progress.h"
#include "map_split.h"
#include "maps_panel.h"
#include "message_box_presenter.h"
#include "panel_host.h"
#include "split_map_dialog.h"

namespace plexion {

bool CMapsPanel::SplitBitmapIntoMap() {
    const CVKT_ResourceContainer* container = Container();
    if (container == nullptr || container->Count<CVKT_Bitmap>() == 0) {
        return false;
    }
    const int cursor = Host() != nullptr ? Host()->CursorItemOf(CVKT_Bitmap::kKind) : -1;
    CSplitMapDialog dialog(*container, std::max(cursor, 0), this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    return SplitIntoMap(dialog.Bitmap(), dialog.TileWidth(), dialog.TileHeight());
}

bool CMapsPanel::SplitIntoMap(int bitmap, int tileWidth, int tileHeight) {
    const CVKT_Bitmap* picture =
        Container() != nullptr ? Container()->GetAt<CVKT_Bitmap>(bitmap) : nullptr;
    if (picture == nullptr) {
        return false;
    }
    // Copies: the cut lets the event loop run, which could change the document.
    const QImage pixels = picture->Image() != nullptr ? *picture->Image() : QImage();
    const std::string id = picture->ID();
    map_split::CSplit split;
    map_split::Outcome outcome;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const qint64 tiles =
            static_cast<qint64>(map_split::TilesCovering(pixels.width(), tileWidth)) *
            map_split::TilesCovering(pixels.height(), tileHeight);
        CLongWorkProgress progress(this, QStringLiteral("Cutting the picture into tiles..."),
                                   tiles);
        outcome = map_split::Cut(
            pixels, tileWidth, tileHeight, split,
            [&](std::int64_t done, std::int64_t) { return !progress.Cancelled(done); });
        QApplication::restoreOverrideCursor();
    }
    if (outcome == map_split::Outcome::Cancelled) {
        return false;
    }
    if (outcome != map_split::Outcome::Done) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QString::fromStdString(map_split::OutcomeText(outcome)));
        return false;
    }
    int mapIndex = -1;
    EditDocument(QStringLiteral("Split Bitmap Into Map"), [&](CVKT_ResourceContainer& container) {
        mapIndex = map_split::AddToDocument(container, id, id, split);
        return mapIndex >= 0;
    });
    if (mapIndex < 0) {
        QMessageBox::warning(
            this, MessageBoxTitle(),
            QString::fromStdString(map_split::OutcomeText(map_split::Outcome::TooManyTiles)));
        return false;
    }
    ShowNewItem(*this, mapIndex);
    return true;
}

}  // namespace plexion
