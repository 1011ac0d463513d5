#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <memory>
#include <string>

#include "panel_user.h"
#include "simple_panel_fixture.h"
#include "trajectories_panel.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

using Column = CTrajectoriesPanel::Column;

class TrajectoriesPanel : public test::CSimplePanelTest<CTrajectoriesPanel> {
protected:
    int AddTrajectory(const std::string& id, int points) {
        const int index = Resources().New<CVKT_Trajectory>(id);
        for (int point = 0; point < points; ++point) {
            Trajectory(index).AddPoint(point, 2.0 * point);
        }
        return index;
    }
    CVKT_Trajectory& Trajectory(int index) { return *Resources().GetAt<CVKT_Trajectory>(index); }
    int GridColumn(int kindColumn) { return kindColumn + Panel().FixedColumnCount(); }
};

TEST_F(TrajectoriesPanel, ListsTheTrajectoriesUnderTheirHeaders) {
    EXPECT_EQ(Panel().Title(), "Trajectories and Shapes");
    EXPECT_FALSE(Panel().AcceptsFiles());
    EXPECT_FALSE(Panel().AddFile(QStringLiteral("/etc/hostname")));
    EXPECT_EQ(Panel().GetColumnCount(), 9);
    // Its preview draws bitmaps and animations, so their changes refresh it.
    EXPECT_TRUE(Panel().ShowsKind(kKindBitmaps));
    EXPECT_TRUE(Panel().ShowsKind(kKindIndexLists));
    EXPECT_FALSE(Panel().ShowsKind(kKindTexts));

    AddTrajectory("path", 3);
    Trajectory(0).SetType(1);
    Trajectory(0).SetClosedShape(1);
    Trajectory(0).SetPlayMode(6);
    Trajectory(0).SetOffsetX(-12);
    Trajectory(0).SetOffsetY(40);
    Trajectory(0).SetComments("along\nthe wall");
    AddTrajectory("shape", 2);
    Trajectory(1).SetType(CVKT_Trajectory::kTypeCollisionTest);
    Trajectory(1).SetCenterOfMass(1, 2);
    Panel().Refresh(true);

    const QStringList headers = {"Index",     "ID",       "Type",     "Closed Shape",
                                 "Play Mode", "Offset X", "Offset Y", "Specifications",
                                 "Comments"};
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), headers[column]);
    }
    EXPECT_EQ(Shown(Column::kIndexColumn, 1), "+0");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "path");
    EXPECT_EQ(Shown(Column::kTypeColumn, 1), "Polygon to CRgn");
    EXPECT_EQ(Shown(Column::kClosedShapeColumn, 1), "Yes");
    EXPECT_EQ(Shown(Column::kPlayModeColumn, 1), "Backward and Forward Once");
    EXPECT_EQ(Shown(Column::kOffsetXColumn, 1), "-12");
    EXPECT_EQ(Shown(Column::kOffsetYColumn, 1), "+40");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1), "3 Points, 48 Bytes");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 1), "along\nthe wall");
    EXPECT_EQ(Shown(Column::kTypeColumn, 2), "Collision Test");
    EXPECT_EQ(Shown(Column::kClosedShapeColumn, 2), "No");
    EXPECT_EQ(Shown(Column::kPlayModeColumn, 2), "Forward Once");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2),
              "2 Points, 32 Bytes, Mass Center[ 1.000, 2.000 ]");

    for (const int column : {Column::kIdColumn, Column::kTypeColumn, Column::kClosedShapeColumn,
                             Column::kPlayModeColumn, Column::kOffsetXColumn,
                             Column::kOffsetYColumn, Column::kCommentsColumn}) {
        EXPECT_TRUE(Cell(column, 1).GetEditable()) << column;
    }
    EXPECT_FALSE(Cell(Column::kIndexColumn, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kSpecificationsColumn, 1).GetEditable());
}

TEST_F(TrajectoriesPanel, ChoicesFromTheCellMenusGoIntoTheMarkedTrajectoriesToo) {
    AddTrajectory("a", 1);
    AddTrajectory("b", 1);
    AddTrajectory("c", 1);
    Panel().Refresh(true);
    Panel().SetMarked(1, true, true, true);

    test::ChooseMenuEntry(CVKT_Trajectory::kTypeCollisionTest);
    test::EditWithReturn(Panel(), Column::kTypeColumn, 1);
    EXPECT_EQ(Trajectory(0).Type(), CVKT_Trajectory::kTypeCollisionTest);
    EXPECT_EQ(Trajectory(1).Type(), CVKT_Trajectory::kTypeCollisionTest);
    EXPECT_EQ(Trajectory(2).Type(), 0);
    // The description of a collision shape shows its center of mass.
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1),
              "1 Points, 16 Bytes, Mass Center[ 0.000, 0.000 ]");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2),
              "1 Points, 16 Bytes, Mass Center[ 0.000, 0.000 ]");
    EXPECT_EQ(Shown(Column::kTypeColumn, 2), "Collision Test");
    EXPECT_TRUE(document_.IsModified());

    test::ChooseMenuEntry(5);
    test::EditWithReturn(Panel(), Column::kPlayModeColumn, 3);
    EXPECT_EQ(Trajectory(2).PlayMode(), 5);
    EXPECT_EQ(Trajectory(1).PlayMode(), 5);
    EXPECT_EQ(Trajectory(0).PlayMode(), 0);
    EXPECT_EQ(Shown(Column::kPlayModeColumn, 2), "Backward Loop");
}

TEST_F(TrajectoriesPanel, FlagsOffsetsAndTextsAreEditedInTheirCells) {
    AddTrajectory("a", 1);
    AddTrajectory("b", 1);
    Panel().Refresh(true);

    // A space toggles a yes/no cell in place.
    Panel().Grid()->MoveCursorTo(GridColumn(Column::kClosedShapeColumn), 2);
    test::PressOnGrid(Panel(), Qt::Key_Space);
    EXPECT_EQ(Trajectory(1).ClosedShape(), 1);
    EXPECT_EQ(Shown(Column::kClosedShapeColumn, 2), "Yes");
    test::PressOnGrid(Panel(), Qt::Key_N);
    EXPECT_EQ(Trajectory(1).ClosedShape(), 0);

    test::AnswerEditValue(QStringLiteral("-250"));
    test::EditWithReturn(Panel(), Column::kOffsetXColumn, 1);
    EXPECT_EQ(Trajectory(0).OffsetX(), -250);
    EXPECT_EQ(Shown(Column::kOffsetXColumn, 1), "-250");
    EditCellText(Column::kOffsetYColumn, 2, QStringLiteral("17 pixels"));
    EXPECT_EQ(Trajectory(1).OffsetY(), 17);

    test::AnswerEditValue(QStringLiteral("spiral"));
    test::EditWithReturn(Panel(), Column::kIdColumn, 2);
    EXPECT_EQ(Trajectory(1).ID(), "spiral");
    EditCellText(Column::kCommentsColumn, 1, QStringLiteral("x\ny"));
    EXPECT_EQ(Trajectory(0).Comments(), "x\ny");

    // Bytes that are no UTF-8 survive an edit that changes nothing.
    Trajectory(0).SetID("\xFF");
    Panel().Refresh(true);
    document_.History().Stack().setClean();
    EditCellText(Column::kIdColumn, 1, Shown(Column::kIdColumn, 1));
    EXPECT_EQ(Trajectory(0).ID(), "\xFF");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(TrajectoriesPanel, CopiesEveryValueFromAnotherRow) {
    AddTrajectory("source", 4);
    Trajectory(0).SetType(1);
    Trajectory(0).SetClosedShape(1);
    Trajectory(0).SetPlayMode(3);
    Trajectory(0).SetOffsetX(8);
    Trajectory(0).SetOffsetY(-9);
    Trajectory(0).SetComments("from");
    AddTrajectory("target", 1);
    Panel().Refresh(true);

    for (int column = Column::kIdColumn; column <= Column::kCommentsColumn; ++column) {
        const bool stored = column != Column::kSpecificationsColumn;
        EXPECT_EQ(Panel().ApplyCell(GridColumn(column), 2, GridColumn(column), 1), stored)
            << column;
    }
    const CVKT_Trajectory& target = Trajectory(1);
    EXPECT_EQ(target.ID(), "source");
    EXPECT_EQ(target.Type(), 1);
    EXPECT_EQ(target.ClosedShape(), 1);
    EXPECT_EQ(target.PlayMode(), 3);
    EXPECT_EQ(target.OffsetX(), 8);
    EXPECT_EQ(target.OffsetY(), -9);
    EXPECT_EQ(target.Comments(), "from");
    EXPECT_EQ(target.Count(), 1);
    EXPECT_EQ(Shown(Column::kOffsetYColumn, 2), "-9");
    EXPECT_EQ(Shown(Column::kPlayModeColumn, 2), "Forward and Backward Loop");
    EXPECT_FALSE(Panel().ApplyCell(GridColumn(Column::kIndexColumn), 2,
                                   GridColumn(Column::kIndexColumn), 1));
    EXPECT_FALSE(
        Panel().ApplyCell(GridColumn(Column::kIdColumn), 5, GridColumn(Column::kIdColumn), 1));
}

TEST_F(TrajectoriesPanel, InsertDeleteAndMoveWithTheKeyboard) {
    AddTrajectory("a", 2);
    Panel().Refresh(true);
    ASSERT_TRUE(test::FocusGrid(Panel()));

    test::PressOnGrid(Panel(), Qt::Key_Insert);
    test::PressOnGrid(Panel(), Qt::Key_Insert);
    ASSERT_EQ(Resources().Count<CVKT_Trajectory>(), 3);
    EXPECT_EQ(Trajectory(1).ID(), "New ID");
    EXPECT_EQ(Trajectory(2).ID(), "New ID");
    EXPECT_EQ(Trajectory(2).Count(), 0);
    EXPECT_EQ(Panel().GetCursorItem(), 2);
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 3), "0 Points, 0 Bytes");
    EXPECT_TRUE(document_.IsModified());

    Trajectory(2).SetID("c");
    Panel().Refresh(true);
    Panel().SetCursorItem(2);
    test::PressOnGrid(Panel(), Qt::Key_Up, Qt::ControlModifier);
    test::PressOnGrid(Panel(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Trajectory(0).ID(), "c");
    EXPECT_EQ(Trajectory(1).ID(), "a");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "c");

    Panel().SetMarked(2, true, true, true);
    Panel().SetCursorItem(0);
    test::PressOnGrid(Panel(), Qt::Key_Delete);
    ASSERT_EQ(Resources().Count<CVKT_Trajectory>(), 1);
    EXPECT_EQ(Trajectory(0).ID(), "a");
    EXPECT_EQ(Sheet().RowCount(), 2);

    document_.History().Stack().setClean();
    EXPECT_TRUE(Panel().DoMoveItem(0, 0));
    EXPECT_FALSE(document_.IsModified());
    EXPECT_FALSE(Panel().DoMoveItem(0, 3));
    EXPECT_FALSE(Panel().DeleteItem(1));
}

TEST_F(TrajectoriesPanel, EditMenuOffersThePathCommandsWhileTheCursorPathHasPoints) {
    AddTrajectory("empty", 0);
    AddTrajectory("path", 2);
    Panel().Refresh(true);
    const struct {
        int offset;
        const char* text;
        const char* status;
    } entries[] = {
        {100, "&Remove All Points", "Clear the entire trajectory path !"},
        {101, "Res&ample Points...", "Resample the trajectory path"},
        {102, "&Smooth Points...", "Smooth the trajectory path"},
        {103, "&Quantify Points...", "Quantify the trajectory path"},
        {104, "Add &Noise to Points...", "Add noise to the trajectory path"},
        {0, "", ""},
        {400, "Convert Trajectories to Re&gion", "Convert the selected trajectories to a region"},
        {0, "", ""},
        {500, "Update Center of &Mass", "Recalculate the center of mass"},
    };
    for (const int cursor : {0, 1}) {
        Panel().SetCursorItem(cursor);
        std::unique_ptr<QMenu> owner;
        const QList<QAction*> actions = test::EditSubmenu(Panel(), owner)->actions();
        ASSERT_EQ(actions.size(), 9);
        for (int i = 0; i < actions.size(); ++i) {
            const auto& entry = entries[i];
            EXPECT_EQ(actions[i]->isSeparator(), entry.offset == 0);
            if (entry.offset != 0) {
                EXPECT_EQ(actions[i]->text(), entry.text);
                EXPECT_EQ(actions[i]->statusTip(), entry.status);
                EXPECT_EQ(actions[i]->data().toInt(),
                          CResourcePanel::kFirstEditCommand + entry.offset);
                EXPECT_EQ(actions[i]->isEnabled(), cursor == 1) << entry.text;
            }
        }
    }
}

}  // namespace
}  // namespace plexion
