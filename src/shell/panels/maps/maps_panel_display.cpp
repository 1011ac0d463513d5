// The Maps panel's map display: painting strokes, rectangle fills and
// Clear Map written into the cursor map, and the display's menu entries.
#include <QAction>
#include <QMenu>

#include <algorithm>

#include "bitmap_item.h"
#include "map_canvas.h"
#include "map_cell_overlay.h"
#include "map_display.h"
#include "map_item.h"
#include "maps_panel.h"

namespace plexion {
namespace {

// The entries of the "Edi&t" submenu, by their offset from the first id.
enum EditEntry { kClearMap, kGridLines, kZoomIn, kZoomOut, kActualSize, kSplitBitmap };

struct CEditEntry {
    EditEntry entry;
    const char* label;
    const char* description;
};

constexpr CEditEntry kEditEntries[] = {
    {kClearMap, "&Clear Map", "Empty every cell of the map at the cursor"},
    {kGridLines, "Show &Grid Lines", "Show the lines between the cells of the map display"},
    {kZoomIn, "Zoom &In\t+", "Show the map larger (Ctrl + wheel zooms about the mouse)"},
    {kZoomOut, "Zoom &Out\t-", "Show the map smaller (Ctrl + wheel zooms about the mouse)"},
    {kActualSize, "&Actual Size", "Show the map at 100 %"},
    {kSplitBitmap, "&Split Bitmap Into Map...",
     "Cut a bitmap into tiles, add one bitmap per different tile and a map of them"},
};

}  // namespace

bool CMapsPanel::CreateChildren() {
    display_ = new CMapDisplay(this);
    connect(display_->Canvas(), &CMapCanvas::strokeFinished, this, [this] { PaintStroke(); });
    connect(display_->Canvas(), &CMapCanvas::rectangleFilled, this,
            [this](int firstColumn, int firstLine, int lastColumn, int lastLine) {
                FillCells(QStringLiteral("Fill Map Cells"), GetCursorItem(), firstColumn,
                          firstLine, lastColumn, lastLine, display_->Canvas()->PaintValue());
            });
    return CKindPanel::CreateChildren();
}

void CMapsPanel::Layout(bool clamp) {
    CKindPanel::Layout(clamp);
    if (display_ != nullptr) {
        display_->setGeometry(PreviewRect(rect()));
    }
}

void CMapsPanel::SelectionChanged() {
    if (display_ != nullptr) {
        display_->Reload(false);
    }
}

bool CMapsPanel::Refresh(bool rebuild) {
    const bool refreshed = CKindPanel::Refresh(rebuild);
    if (display_ != nullptr) {
        display_->SetSource(Container(),
                            [this]() -> const CVKT_Map* { return Item(GetCursorItem()); });
    }
    return refreshed;
}

bool CMapsPanel::PaintStroke() {
    const int item = GetCursorItem();
    const CMapCellOverlay& stroke = display_->Canvas()->Stroke();
    const bool changed =
        EditDocument(QStringLiteral("Paint Map Cells"), [&](CVKT_ResourceContainer& container) {
            CVKT_Map* map = container.GetAt<CVKT_Map>(item);
            return map != nullptr && stroke.ApplyTo(*map);
    });
    display_->Canvas()->ClearStroke();
    return changed;
}

bool CMapsPanel::FillCells(const QString& label, int item, int firstColumn, int firstLine,
                           int lastColumn, int lastLine, std::int16_t value) {
    const bool changed = EditDocument(label, [&](CVKT_ResourceContainer& container) {
        CVKT_Map* map = container.GetAt<CVKT_Map>(item);
        bool any = false;
        for (int column = std::max(firstColumn, 0);
             map != nullptr && column <= std::min(lastColumn, map->Columns() - 1); ++column) {
            for (int line = std::max(firstLine, 0); line <= std::min(lastLine, map->Lines() - 1);
                 ++line) {
                if (map->GetCell(column, line) != value) {
                    any = map->SetCell(column, line, value) || any;
                }
            }
        }
        return any;
    });
    if (display_ != nullptr) {
        display_->Canvas()->update();
    }
    return changed;
}

bool CMapsPanel::ClearMap(int item) {
    const CVKT_Map* map = Item(item);
    return map != nullptr &&
           FillCells(QStringLiteral("Clear Map"), item, 0, 0, map->Columns() - 1, map->Lines() - 1,
                     kEmptyCellValue);
}

bool CMapsPanel::AddEditCommands(QMenu* menu, int firstId) {
    for (const CEditEntry& entry : kEditEntries) {
        QAction* action = menu->addAction(QString::fromLatin1(entry.label));
        action->setData(firstId + entry.entry);
        action->setStatusTip(QString::fromLatin1(entry.description));
    }
    const QList<QAction*> actions = menu->actions();
    actions[kClearMap]->setEnabled(Item(GetCursorItem()) != nullptr);
    actions[kGridLines]->setCheckable(true);
    actions[kGridLines]->setChecked(display_ != nullptr && display_->Canvas()->GridLines());
    actions[kSplitBitmap]->setEnabled(Container() != nullptr &&
                                      Container()->Count<CVKT_Bitmap>() > 0);
    return true;
}

bool CMapsPanel::OnEditCommand(QMenu*, int firstId, int id) {
    CMapCanvas* canvas = display_ != nullptr ? display_->Canvas() : nullptr;
    if (canvas == nullptr) {
        return false;
    }
    switch (id - firstId) {
        case kClearMap:
            ClearMap(GetCursorItem());
            return true;
        case kGridLines:
            canvas->SetGridLines(!canvas->GridLines());
            return true;
        case kZoomIn:
            canvas->StepZoom(1);
            return true;
        case kZoomOut:
            canvas->StepZoom(-1);
            return true;
        case kActualSize:
            canvas->ZoomAbout(1.0, QPointF(canvas->width() / 2.0, canvas->height() / 2.0));
            return true;
        case kSplitBitmap:
            SplitBitmapIntoMap();
            return true;
        default:
            return false;
    }
}

}  // namespace plexion
