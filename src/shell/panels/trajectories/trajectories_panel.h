#pragma once

#include <QStringList>

#include "kind_panel.h"
#include "trajectory_item.h"

namespace plexion {

// The "Trajectories and Shapes" panel: the trajectories of the document in
// the grid, with their type, closed-shape flag, play mode and offsets edited
// in their cells.
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

    int GetColumnCount() const override { return kColumnCount; }
    void FillItemCell(int kindColumn, int row) override;
    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override;
    bool DoMoveItem(int from, int to) override;
    bool DeleteItem(int item) override;
    // A new trajectory named "New ID" at the end of the group.
    bool InsertItems() override;
    bool AddEditCommands(QMenu* menu, int firstId) override;

private:
    QStringList typeNames_;
    QStringList playModeNames_;
};

}  // namespace plexion
