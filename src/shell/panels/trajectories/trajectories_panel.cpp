#include "trajectories_panel.h"

#include <QMessageBox>
#include <QStringList>

#include <optional>
#include <vector>

#include "grid_cell.h"
#include "index_list_item.h"
#include "kind_panel_items.h"
#include "message_box_presenter.h"
#include "path_operations.h"
#include "resource_container.h"
#include "stored_text.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"
#include "trajectory_preview_toolbar.h"
#include "trajectory_region.h"
#include "value_cells.h"

namespace plexion {
namespace {

using Column = CTrajectoriesPanel::Column;

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

// The store of a column that holds one integer of the trajectory.
CCellStore<CVKT_Trajectory> NumberColumnStore(int column) {
    return {[column](CVKT_Trajectory& trajectory, const CGridCell& edited) {
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
      preview_(new CTrajectoryPreview(this)),
      toolbar_(new CTrajectoryPreviewToolbar(*preview_, this)),
      typeNames_(NamesOf(&CVKT_Trajectory::TypeName, CVKT_Trajectory::kTypeCount)),
      // A trajectory's play modes are an animation's.
      playModeNames_(NamesOf(&CVKT_IndexList::PlayModeName, CVKT_IndexList::kPlayModeCount)) {
    preview_->SetPathEdit(
        [this](const QString& label, const std::function<bool(CVKT_Trajectory&)>& change) {
            return EditShownTrajectory(label, change);
        });
    connect(preview_, &CTrajectoryPreview::mayAnimate, this,
            &CTrajectoriesPanel::PreviewMayAnimate);
    using Trajectory = CVKT_Trajectory;
    SetColumns(
        {IndexColumn<Trajectory>(),
         IdColumn<Trajectory>(),
         {.header = "Type",
          .fill = [this](CGridCell& cell,
                         const Trajectory& item) { FillListCell(cell, &typeNames_, item.Type()); },
          .store = NumberColumnStore(kTypeColumn),
          // A collision shape's description shows its center of mass.
          .taken = [this](int row) { RefreshItemCell(kSpecificationsColumn, row); }},
         {.header = "Closed Shape",
          .fill = [](CGridCell& cell,
                     const Trajectory& item) { FillYesNoCell(cell, item.ClosedShape() != 0); },
          .store = NumberColumnStore(kClosedShapeColumn)},
         {.header = "Play Mode",
          .fill =
              [this](CGridCell& cell, const Trajectory& item) {
                  FillListCell(cell, &playModeNames_, item.PlayMode());
              },
          .store = NumberColumnStore(kPlayModeColumn),
          // The preview plays the shown trajectory's new mode from its start.
          .taken =
              [this](int row) {
                  if (ItemOfRow(row) == preview_->TrajectoryIndex()) {
                      preview_->Rewind();
                  }
              }},
         {.header = "Offset X",
          .fill = [](CGridCell& cell,
                     const Trajectory& item) { FillIntegerCell(cell, item.OffsetX()); },
          .store = NumberColumnStore(kOffsetXColumn)},
         {.header = "Offset Y",
          .fill = [](CGridCell& cell,
                     const Trajectory& item) { FillIntegerCell(cell, item.OffsetY()); },
          .store = NumberColumnStore(kOffsetYColumn)},
         SpecificationsColumn<Trajectory>(),
         CommentsColumn<Trajectory>()});
}

bool CTrajectoriesPanel::DoMoveItem(int from, int to) {
    const bool moved = MoveKindItem<CVKT_Trajectory>(*this, from, to);
    // Another trajectory may now stand at the shown index.
    preview_->Refresh();
    return moved;
}

bool CTrajectoriesPanel::InsertItems() {
    return InsertKindItem<CVKT_Trajectory>(*this, kNewItemId);
}

bool CTrajectoriesPanel::AddEditCommands(QMenu* menu, int firstId) {
    if (menu == nullptr) {
        return false;
    }
    AddTrajectoryCommands(menu, firstId, CommandsEnabled());
    return true;
}

bool CTrajectoriesPanel::CommandsEnabled() const {
    const CVKT_Trajectory* trajectory = Item(GetCursorItem());
    return trajectory != nullptr && trajectory->Count() > 0;
}

bool CTrajectoriesPanel::OnEditCommand(QMenu*, int firstId, int id) {
    const int offset = id - firstId;
    if (!CommandsEnabled()) {
        return false;
    }
    if (const std::optional<PathOperation> operation = OperationOfCommand(offset)) {
        RunPathCommand(*operation, CommandStepLabel(offset));
    } else if (offset == kConvertToRegionCommand) {
        ConvertToRegion();
    } else if (offset == kUpdateCenterOfMassCommand) {
        UpdateCenterOfMass();
    } else {
        return false;
    }
    return true;
}

void CTrajectoriesPanel::RunPathCommand(PathOperation operation, const QString& label) {
    double value = 0.0;
    if (operation != PathOperation::RemoveAll) {
        QString text = promptValues_.Text(operation);
        if (!EditValueDialog(CPathPromptValues::Caption(operation),
                             CPathPromptValues::Label(operation), text, false)) {
            return;
        }
        const std::optional<double> taken = promptValues_.Take(operation, text);
        if (!taken) {
            TellNotANumber(this, text);
            return;
        }
        value = *taken;
    }
    const std::vector<int> items = GetAffectedItems(true, true);
    CPathOperationOutcome outcome;
    EditDocument(label, [&](CVKT_ResourceContainer& container) {
        outcome = ApplyPathOperation(container, items, operation, value);
        return outcome.changed;
    });
    ShowChangedPaths();
    if (!outcome.refused.empty()) {
        QStringList names;
        for (int item : outcome.refused) {
            names << QStringLiteral("\"%1\"").arg(ItemName(item));
        }
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("Resampling would make more than %1 points of %2, "
                                            "which was left as it was.")
                                 .arg(kMaxResampledPoints)
                                 .arg(names.join(QStringLiteral(", "))));
    }
}

void CTrajectoriesPanel::ConvertToRegion() {
    const std::vector<int> items = GetAffectedItems(true, true);
    CRegionConversion conversion;
    EditDocument(CommandStepLabel(kConvertToRegionCommand), [&](CVKT_ResourceContainer& container) {
        conversion = ConvertTrajectoriesToRegion(container, items);
        return conversion.bitmapIndex >= 0;
    });
    if (conversion.bitmapIndex < 0) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("No region was made: %1.")
                                 .arg(QString::fromStdString(conversion.problem)));
    }
    ShowChangedPaths();
}

void CTrajectoriesPanel::UpdateCenterOfMass() {
    const std::vector<int> items = GetAffectedItems(true, true);
    EditDocument(CommandStepLabel(kUpdateCenterOfMassCommand),
                 [&](CVKT_ResourceContainer& container) {
                     return UpdateCentersOfMass(container, items);
                 });
    ShowChangedPaths();
}

void CTrajectoriesPanel::ShowChangedPaths() {
    Refresh(true);
    preview_->Redraw();
}

bool CTrajectoriesPanel::EditShownTrajectory(const QString& label,
                                             const std::function<bool(CVKT_Trajectory&)>& change) {
    const int index = preview_->TrajectoryIndex();
    const bool changed = EditDocument(label, [&](CVKT_ResourceContainer& container) {
        CVKT_Trajectory* trajectory = container.GetAt<CVKT_Trajectory>(index);
        return trajectory != nullptr && change(*trajectory);
    });
    if (changed) {
        RefreshItemCell(kSpecificationsColumn, index + 1);
    }
    return changed;
}

void CTrajectoriesPanel::SelectionChanged() {
    preview_->SetTrajectoryIndex(GetCursorItem());
}

bool CTrajectoriesPanel::Refresh(bool rebuild) {
    const bool refreshed = CResourcePanel::Refresh(rebuild);
    if (preview_->TrajectoryIndex() != GetCursorItem()) {
        preview_->SetTrajectoryIndex(GetCursorItem());
    } else {
        preview_->Refresh();
    }
    return refreshed;
}

bool CTrajectoriesPanel::SetResourceContainer(const CVKT_ResourceContainer* container) {
    preview_->SetResourceContainer(container);
    const bool attached = CResourcePanel::SetResourceContainer(container);
    preview_->SetTrajectoryIndex(GetCursorItem());
    return attached;
}

void CTrajectoriesPanel::Layout(bool clamp) {
    CResourcePanel::Layout(clamp);
    preview_->setGeometry(PreviewRect(rect()));
}

QWidget* CTrajectoriesPanel::PreviewToolbar() const {
    return toolbar_;
}

bool CTrajectoriesPanel::StepTime() {
    return preview_->Step();
}

bool CTrajectoriesPanel::PreviewAnimates() const {
    return preview_->State().Animates();
}

void CTrajectoriesPanel::RedrawPreview() {
    preview_->update();
}

}  // namespace plexion
