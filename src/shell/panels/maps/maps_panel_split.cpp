// Split Bitmap Into Map: the dialog, the cut with its progress, and the new
// bitmaps and map added in one edit.
#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include "bitmap_item.h"
#include "kind_panel_cells.h"
#include "map_split.h"
#include "maps_panel.h"
#include "message_box_presenter.h"
#include "panel_host.h"
#include "split_map_dialog.h"

namespace plexion {
namespace {

// How many tiles are cut between two looks at the Cancel button.
constexpr std::int64_t kTilesPerProgressStep = 64;
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 800;

}  // namespace

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
        QProgressDialog progress(QStringLiteral("Cutting the picture into tiles..."),
                                 QStringLiteral("Cancel"), 0, kProgressSteps, this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(kProgressDelayMs);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        outcome = map_split::Cut(
            pixels, tileWidth, tileHeight, split, [&](std::int64_t done, std::int64_t total) {
                if (done % kTilesPerProgressStep == 0 || done == total) {
                    progress.setValue(static_cast<int>(done * kProgressSteps / total));
                }
                return !progress.wasCanceled();
            });
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
    EditDocument(
        [&](CVKT_ResourceContainer& container) {
            mapIndex = map_split::AddToDocument(container, id, id, split);
            return mapIndex >= 0;
        },
        true);
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
