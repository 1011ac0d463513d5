#pragma once

#include <QStringList>

#include <functional>

#include "kind_panel.h"
#include "trajectory_item.h"
#include "trajectory_path_commands.h"

namespace plexion {

class CTrajectoryPreview;
class CTrajectoryPreviewToolbar;

// The "Trajectories and Shapes" panel: the trajectories of the document in
// the grid, with their type, closed-shape flag, play mode and offsets edited
// in their cells; the path commands in the menu; and the preview, where the
// cursor row's trajectory is drawn with the mouse and an object moves along
// it on the game clock.
class CTrajectoriesPanel : public CKindPanel<CVKT_Trajectory> {
    Q_OBJECT
public:
    // Kind columns.
    enum Column {
        kIndexColumn = 0,
        kIdColumn = 1,
        kTypeColumn = 2,
        kClosedShapeColumn = 3,
        kPlayModeColumn = 4,
        kOffsetXColumn = 5,
        kOffsetYColumn = 6,
        kSpecificationsColumn = 7,
        kCommentsColumn = 8,
        kColumnCount = 9,
    };

    explicit CTrajectoriesPanel(QWidget* parent = nullptr);

    // The preview draws a background bitmap and a moving bitmap or animation.
    bool ShowsKind(int kind) const override {
        return kind == kKindBitmaps || kind == kKindIndexLists || CKindPanel::ShowsKind(kind);
    }

    // A new trajectory named "New ID" at the end of the group.
    bool InsertItems() override;
    // The preview shows what stands at its index after the move.
    bool DoMoveItem(int from, int to) override;
    // The path commands, enabled while the cursor trajectory has points.
    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;

    // The preview follows the cursor row.
    void SelectionChanged() override;
    bool Refresh(bool rebuild) override;
    bool SetResourceContainer(const CVKT_ResourceContainer* container) override;
    void Layout(bool clamp) override;
    // On the game clock's thread: moves the preview's object.
    bool StepTime() override;
    bool PreviewAnimates() const override;
    void RedrawPreview() override;

    CTrajectoryPreview& Preview() const { return *preview_; }
    CTrajectoryPreviewToolbar& Toolbar() const { return *toolbar_; }

protected:
    QWidget* PreviewToolbar() const override;

private:
    // One change of the preview's trajectory, made through the document.
    bool EditShownTrajectory(const QString& label,
                             const std::function<bool(CVKT_Trajectory&)>& change);
    // The cursor trajectory has points: the commands can run.
    bool CommandsEnabled() const;
    void RunPathCommand(PathOperation operation, const QString& label);
    void ConvertToRegion();
    void UpdateCenterOfMass();
    // After a command: the list and the preview show the changed points.
    void ShowChangedPaths();

    CTrajectoryPreview* preview_;
    CTrajectoryPreviewToolbar* toolbar_;
    CPathPromptValues promptValues_;
    QStringList typeNames_;
    QStringList playModeNames_;
};

}  // namespace plexion
