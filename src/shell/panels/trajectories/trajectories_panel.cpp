#include "trajectories_panel.h"

#include <array>
#include <optional>

#include "empty_edit_menu.h"
#include "grid_cell.h"
#include "index_list_item.h"
#include "kind_panel_cell_edits.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"
#include "resource_container.h"
#include "trajectory_item.h"
#include "value_cells.h"

namespace plexion {
namespace {

using Column = CTrajectoriesPanel::Column;

constexpr std::array<const char*, CTrajectoriesPanel::kColumnCount> kColumnTitles = {
    "Index",    "ID",       "Type",           "Closed Shape", "Play Mode",
    "Offset X", "Offset Y", "Specifications", "Comments"};

constexpr const char* kNewItemId = "New ID";

// The columns that hold one integer of the trajectory.
std::int32_t NumberField(const CVKT_Trajectory& trajectory, int column) {
    switch (column) {
        case Column::kTypeColumn:
            return trajectory.Type();
        case Column::kClosedShapeColumn:
            return trajectory.ClosedShape();
        case Column::kPlayModeColumn:
            return trajectory.PlayMode();
        case Column::kOffsetXColumn:
            return trajectory.OffsetX();
        case Column::kOffsetYColumn:
            return trajectory.OffsetY();
        default:
            return 0;
    }
}

bool StoreNumberField(CVKT_Trajectory& trajectory, int column, std::int32_t value) {
    if (NumberField(trajectory, column) == value) {
        return false;
    }
    switch (column) {
        case Column::kTypeColumn:
            return trajectory.SetType(value);
        case Column::kClosedShapeColumn:
            return trajectory.SetClosedShape(value);
        case Column::kPlayModeColumn:
            return trajectory.SetPlayMode(value);
        case Column::kOffsetXColumn:
            trajectory.SetOffsetX(value);
            return true;
        case Column::kOffsetYColumn:
            trajectory.SetOffsetY(value);
            return true;
        default:
            return false;
    }
}

std::int32_t CellNumber(const CGridCell& cell, int column) {
    if (column == Column::kClosedShapeColumn) {
        return cell.GetBool() ? 1 : 0;
    }
    return cell.GetInt();
}

bool IsNumberColumn(int column) {
    return column >= Column::kTypeColumn && column <= Column::kOffsetYColumn;
}

std::optional<CCellStore<CVKT_Trajectory>> StoreOf(int column) {
    if (column == Column::kIdColumn) {
        return IdStore<CVKT_Trajectory>();
    }
    if (column == Column::kCommentsColumn) {
        return CommentsStore<CVKT_Trajectory>();
    }
    if (!IsNumberColumn(column)) {
        return std::nullopt;
    }
    return CCellStore<CVKT_Trajectory>{
        [column](CVKT_Trajectory& trajectory, const CGridCell& edited) {
            return StoreNumberField(trajectory, column, CellNumber(edited, column));
        },
        [column](CVKT_Trajectory& trajectory, const CVKT_Trajectory& source) {
            return StoreNumberField(trajectory, column, NumberField(source, column));
        }};
}

QStringList NamesOf(std::string (*name)(int), int count) {
    QStringList names;
    for (int index = 0; index < count; ++index) {
        names << QString::fromStdString(name(index));
    }
    return names;
}

}  // namespace

CTrajectoriesPanel::CTrajectoriesPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Trajectories and Shapes"), parent),
      typeNames_(NamesOf(&CVKT_Trajectory::TypeName, CVKT_Trajectory::kTypeCount)),
      // A trajectory's play modes are an animation's.
      playModeNames_(NamesOf(&CVKT_IndexList::PlayModeName, CVKT_IndexList::kPlayModeCount)) {}

void CTrajectoriesPanel::FillItemCell(int kindColumn, int row) {
    CGridCell* cell = KindCell(kindColumn, row);
    if (cell == nullptr || kindColumn < 0 || kindColumn >= kColumnCount) {
        return;
    }
    if (row == 0) {
        FillHeaderCell(*cell, QString::fromLatin1(kColumnTitles[kindColumn]));
        return;
    }
    const CVKT_Trajectory* trajectory = Item(ItemOfRow(row));
    if (trajectory == nullptr) {
        return;
    }
    switch (kindColumn) {
        case kIndexColumn:
            FillIndexCell(*cell);
            break;
        case kIdColumn:
            FillStoredTextCell(*cell, trajectory->ID(), GridCellType::Text, true);
            break;
        case kTypeColumn:
            FillListCell(*cell, &typeNames_, trajectory->Type());
            break;
        case kClosedShapeColumn:
            FillYesNoCell(*cell, trajectory->ClosedShape() != 0);
            break;
        case kPlayModeColumn:
            FillListCell(*cell, &playModeNames_, trajectory->PlayMode());
            break;
        case kOffsetXColumn:
            FillIntegerCell(*cell, trajectory->OffsetX());
            break;
        case kOffsetYColumn:
            FillIntegerCell(*cell, trajectory->OffsetY());
            break;
        case kSpecificationsColumn:
            FillInformationCell(*cell, trajectory->Specifications());
            break;
        case kCommentsColumn:
            FillStoredTextCell(*cell, trajectory->Comments(), GridCellType::MultiLineText, true);
            break;
        default:
            break;
    }
}

bool CTrajectoriesPanel::ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) {
    const int column = KindColumnOf(dstColumn);
    const std::optional<CCellStore<CVKT_Trajectory>> store = StoreOf(column);
    if (!store || !ApplyItemCell(*this, *store, dstColumn, dstRow, srcColumn, srcRow)) {
        return false;
    }
    // A collision shape's description shows its center of mass.
    if (column == kTypeColumn) {
        RefreshItemCell(kSpecificationsColumn, dstRow);
    }
    return true;
}

bool CTrajectoriesPanel::DoMoveItem(int from, int to) {
    return MoveKindItem<CVKT_Trajectory>(*this, from, to);
}

bool CTrajectoriesPanel::DeleteItem(int item) {
    return DeleteKindItem<CVKT_Trajectory>(*this, item);
}

bool CTrajectoriesPanel::InsertItems() {
    return InsertKindItem<CVKT_Trajectory>(*this, kNewItemId);
}

bool CTrajectoriesPanel::AddEditCommands(QMenu* menu, int) {
    if (menu == nullptr) {
        return false;
    }
    AddEmptyEditEntry(menu);
    return true;
}

}  // namespace plexion
