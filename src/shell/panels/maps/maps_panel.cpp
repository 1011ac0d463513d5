#include "maps_panel.h"

#include <QMessageBox>
#include <QPainter>

#include "bitmap_item.h"
#include "broken_reference_report.h"
#include "color_conversion.h"
#include "kind_panel_items.h"
#include "map_item.h"
#include "map_resize.h"
#include "message_box_presenter.h"
#include "stored_text.h"
#include "value_cells.h"

namespace plexion {
namespace {

constexpr const char* kNewId = "New ID";

const QStringList& TypeNames() {
    static const QStringList names = {
        QString::fromStdString(CVKT_Map::TypeName(CVKT_Map::kTypeBitmaps)),
        QString::fromStdString(CVKT_Map::TypeName(CVKT_Map::kTypeBitmaps + 1))};
    return names;
}

int TypeEntry(std::int32_t type) {
    return type == CVKT_Map::kTypeBitmaps ? 0 : 1;
}

// Choosing "Not Valid" keeps a type that is not valid already, so that a
// type read from a file is not replaced by another invalid one.
bool StoreTypeEntry(CVKT_Map& map, int entry) {
    const std::int32_t type = entry == 0                             ? CVKT_Map::kTypeBitmaps
                              : map.Type() == CVKT_Map::kTypeBitmaps ? CVKT_Map::kTypeBitmaps + 1
                                                                     : map.Type();
    if (type == map.Type()) {
        return false;
    }
    map.SetType(type);
    return true;
}

// A copied type is kept as it is, valid or not.
CCellStore<CVKT_Map> TypeStore() {
    CCellStore<CVKT_Map> store = NumberStore<CVKT_Map, std::int32_t>(
        [](const CVKT_Map& map) { return map.Type(); },
        [](CVKT_Map& map, std::int32_t type) { map.SetType(type); });
    store.edit = [](CVKT_Map& map, const CGridCell& edited) {
        return StoreTypeEntry(map, edited.GetInt());
    };
    return store;
}

int SizeOf(const CVKT_Map& map, int column) {
    switch (column) {
        case CMapsPanel::kNbColumns:
            return map.Columns();
        case CMapsPanel::kNbLines:
            return map.Lines();
        case CMapsPanel::kSizeX:
            return map.SizeX();
        default:
            return map.SizeY();
    }
}

}  // namespace

CMapsPanel::CMapsPanel(QWidget* parent) : CKindPanel(QStringLiteral("Maps"), parent) {
    SetColumns({IndexColumn<CVKT_Map>(),
                IdColumn<CVKT_Map>(),
                {.header = "Type",
                 .fill =
                     [](CGridCell& cell, const CVKT_Map& map) {
                         FillListCell(cell, &TypeNames(), TypeEntry(map.Type()));
                     },
                 .store = TypeStore()},
                SizeColumn("Nb Columns", kNbColumns),
                SizeColumn("Nb Lines", kNbLines),
                SizeColumn("Size X", kSizeX),
                SizeColumn("Size Y", kSizeY),
                {.header = "Specifications",
                 .fill = [](CGridCell& cell,
                            const CVKT_Map&) { FillInformationCell(cell, std::string()); }},
                CommentsColumn<CVKT_Map>()});
}

CKindColumn<CVKT_Map> CMapsPanel::SizeColumn(const char* header, int column) {
    return {.header = header,
            .fill = [column](CGridCell& cell,
                             const CVKT_Map& map) { FillIntegerCell(cell, SizeOf(map, column)); },
            .apply =
                [this, column](int dstRow, int srcRow) {
                    const bool taken = ApplySize(column, dstRow, srcRow);
                    RefreshItemCell(column, dstRow);
                    return taken;
                }};
}

bool CMapsPanel::ApplySize(int column, int dstRow, int srcRow) {
    const int target = ItemOfRow(dstRow);
    const CVKT_Map* map = Item(target);
    const CVKT_Map* source = Item(ItemOfRow(srcRow));
    const CGridCell* edited = KindCell(column, srcRow);
    if (map == nullptr || source == nullptr || edited == nullptr) {
        return false;
    }
    const int wanted = map == source ? edited->GetInt() : SizeOf(*source, column);
    // The grid shows what is stored while a refusal or the reduction question
    // is up; it shows the new size once the map has it.
    RefreshItemCell(column, dstRow);
    switch (column) {
        case kNbColumns:
        case kNbLines: {
            const auto [columns, lines] = column == kNbColumns
                                              ? map_size::WithColumns(*map, wanted)
                                              : map_size::WithLines(*map, wanted);
            if (!ResizeMap(target, columns, lines)) {
                return false;
            }
            // A map without cells grew in both dimensions.
            RefreshItemCell(kNbColumns, dstRow);
            RefreshItemCell(kNbLines, dstRow);
            return true;
        }
        default:
            return SetCellSize(target, column, wanted);
    }
}

bool CMapsPanel::ResizeMap(int item, int columns, int lines) {
    const CVKT_Map* map = Item(item);
    if (map == nullptr) {
        return false;
    }
    if (columns == map->Columns() && lines == map->Lines()) {
        return true;
    }
    if (!map_size::EditAllowed(columns, lines)) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("A map has 1 to %1 columns and 1 to %1 lines, and at "
                                            "most %2 cells.")
                                 .arg(map_size::kMaxSide)
                                 .arg(map_size::kMaxCells));
        return false;
    }
    // Asked before the edit begins: the document is not held while the
    // question waits for the user.
    if (columns < map->Columns() || lines < map->Lines()) {
        CMessageBoxPresenter presenter([this] { return this; });
        if (presenter.Show(map_size::kReductionQuestion, MessageIcon::Question,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
            return false;
        }
    }
    return EditDocument(QStringLiteral("Resize Map"), [&](CVKT_ResourceContainer& container) {
        CVKT_Map* resized = container.GetAt<CVKT_Map>(item);
        return resized != nullptr && map_size::SetDimensions(*resized, columns, lines);
    });
}

bool CMapsPanel::SetCellSize(int item, int column, int size) {
    if (size < 1) {
        QMessageBox::warning(this, MessageBoxTitle(), QString::fromLatin1(kCellSizeRefused));
        return false;
    }
    EditDocument(EditCellLabel(column + FixedColumnCount()), [&](CVKT_ResourceContainer& container) {
        CVKT_Map* map = container.GetAt<CVKT_Map>(item);
        if (map == nullptr || SizeOf(*map, column) == size) {
            return false;
        }
        return column == kSizeX ? map->SetSizeX(size) : map->SetSizeY(size);
    });
    return Item(item) != nullptr;
}

bool CMapsPanel::InsertItems() {
    return InsertKindItem<CVKT_Map>(*this, kNewId);
}

void CMapsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    painter.fillRect(preview, InterfaceQColor(InterfaceColor::DialogFace));
    const CVKT_Map* map = Item(GetCursorItem());
    if (map == nullptr || Container() == nullptr) {
        return;
    }
    painter.save();
    painter.setClipRect(preview);
    // The map's corner at the preview's corner: view point p shows map point
    // p - preview corner.
    map->Draw(*Container(), painter, -preview.left(), -preview.top(), 0, 0, preview.left(),
              preview.top(), preview.right() + 1, preview.bottom() + 1);
    painter.restore();
}

int CMapsPanel::FindBrokenReference(QString& message) const {
    const CVKT_ResourceContainer* container = Container();
    return container ? FirstBrokenReference(FindBrokenMapCells(*container), message) : -1;
}

}  // namespace plexion
