#include <gtest/gtest.h>

#include <QAction>

#include <string>
#include <vector>

#include "animations_panel.h"
#include "graphics_panel_fixture.h"
#include "index_list_item.h"

namespace plexion {
namespace {

using Column = CAnimationsPanel::Column;

class AnimationsPanel : public test::CGraphicsPanelTest<CAnimationsPanel> {
protected:
    // An animation of `frames` frames showing bitmap `bitmap`, delay 1.
    int AddAnimation(const std::string& id, int frames, int mode, int bitmap = 0) {
        const int index = Resources().New<CVKT_IndexList>(id);
        CVKT_IndexList& animation = Animation(index);
        for (int i = 0; i < frames; ++i) {
            animation.AddFrame({bitmap, 1, 0, 0});
        }
        animation.SetPlayMode(mode);
        return index;
    }
    CVKT_IndexList& Animation(int index) { return *Resources().GetAt<CVKT_IndexList>(index); }
    // As choosing entry `entry` of the list cell would.
    void ChooseEntry(int kindColumn, int row, int entry) {
        Cell(kindColumn, row).SetInt(entry);
        NotifyEdited(kindColumn, row);
    }
};

TEST_F(AnimationsPanel, HeaderAndCells) {
    const std::vector<QString> titles = {"Index", "ID", "Type", "Play Mode", "Specifications",
                                         "Comments"};
    ASSERT_EQ(Panel().GetColumnCount(), static_cast<int>(titles.size()));
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), titles[column]);
    }
    EXPECT_EQ(Panel().Title(), "Animations");
    EXPECT_FALSE(Panel().AcceptsFiles());

    AddAnimation("walk", 3, 7);
    AddAnimation("odd", 0, 12);
    Animation(0).SetComments("left\nright");
    Panel().Refresh(true);
    EXPECT_EQ(Shown(Column::kIndex, 1), "+0");
    EXPECT_EQ(Shown(Column::kId, 1), "walk");
    EXPECT_EQ(Shown(Column::kType, 1), "Simple");
    EXPECT_EQ(Shown(Column::kPlayMode, 1), "Backward and Forward Loop");
    EXPECT_EQ(Shown(Column::kSpecifications, 1), "3 Frames");
    EXPECT_EQ(Shown(Column::kComments, 1), "left\nright");
    // A mode a file may hold beyond the eight names shows nothing.
    EXPECT_EQ(Shown(Column::kPlayMode, 2), "");
    EXPECT_EQ(Shown(Column::kSpecifications, 2), "0 Frames");

    EXPECT_FALSE(Cell(Column::kType, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kSpecifications, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kIndex, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kPlayMode, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kId, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kComments, 1).GetEditable());
}

TEST_F(AnimationsPanel, ThePlayModeListOffersTheEightModes) {
    AddAnimation("a", 1, 1);
    Panel().Refresh(true);
    const QStringList* modes = Cell(Column::kPlayMode, 1).GetList();
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(*modes, QStringList({"Forward Once", "Forward Loop", "Forward and Backward Once",
                                   "Forward and Backward Loop", "Backward Once", "Backward Loop",
                                   "Backward and Forward Once", "Backward and Forward Loop"}));
}

TEST_F(AnimationsPanel, PlayModeEditRestartsThePreviewFromTheModesStart) {
    AddPicture("p", 2, 2);
    AddAnimation("walk", 4, 1);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const CAnimationCursor& preview = Panel().PreviewCursor();
    EXPECT_TRUE(preview.IsPlaying());
    EXPECT_EQ(preview.GetAnimationIndex(), 0);
    Panel().StepTime();
    Panel().StepTime();
    EXPECT_EQ(preview.GetCurrentFrame(), 1);

    ChooseEntry(Column::kPlayMode, 1, 5);
    EXPECT_EQ(Animation(0).PlayMode(), 5);
    EXPECT_EQ(Shown(Column::kPlayMode, 1), "Backward Loop");
    EXPECT_TRUE(preview.IsPlaying());
    EXPECT_EQ(preview.GetCurrentFrame(), 3);
    EXPECT_EQ(preview.GetDirection(), 0);
    EXPECT_TRUE(document_.IsModified());
    // The document tells the panels that show animations, once; the panel
    // asks nothing of the view.
    EXPECT_EQ(Refreshes(), 1);
    EXPECT_EQ(host_.refreshes, 0);

    Panel().StepTime();
    Panel().StepTime();
    EXPECT_EQ(preview.GetCurrentFrame(), 2);
}

TEST_F(AnimationsPanel, TheUserPicksAPlayModeFromTheCellsMenu) {
    AddAnimation("a", 3, 1);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    test::ChooseMenuEntry(6);
    test::EditWithReturn(Panel(), Column::kPlayMode, 1);
    EXPECT_EQ(Animation(0).PlayMode(), 6);
    EXPECT_EQ(Shown(Column::kPlayMode, 1), "Backward and Forward Once");
    EXPECT_EQ(Panel().PreviewCursor().GetCurrentFrame(), 2);
}

TEST_F(AnimationsPanel, APlayModeCopiedToMarkedRows) {
    AddAnimation("a", 2, 1);
    AddAnimation("b", 2, 1);
    AddAnimation("c", 2, 1);
    Panel().Refresh(true);
    Mark({0, 2});
    ChooseEntry(Column::kPlayMode, 2, 0);
    EXPECT_EQ(Animation(0).PlayMode(), 0);
    EXPECT_EQ(Animation(1).PlayMode(), 0);
    EXPECT_EQ(Animation(2).PlayMode(), 0);
    EXPECT_EQ(Shown(Column::kPlayMode, 3), "Forward Once");

    EditCellText(Column::kId, 1, "renamed");
    EXPECT_EQ(Animation(0).ID(), "renamed");
    EXPECT_EQ(Animation(2).ID(), "renamed");
    EXPECT_EQ(Animation(1).ID(), "b");
}

TEST_F(AnimationsPanel, ANameThatIsNoModeChangesNothing) {
    AddAnimation("a", 2, 3);
    Panel().Refresh(true);
    EXPECT_FALSE(Cell(Column::kPlayMode, 1).SetText("Sideways"));
    NotifyEdited(Column::kPlayMode, 1);
    EXPECT_EQ(Animation(0).PlayMode(), 3);
    EXPECT_EQ(Shown(Column::kPlayMode, 1), "Forward and Backward Loop");
}

TEST_F(AnimationsPanel, InsertAddsAnEmptyLoopingAnimationAndShowsIt) {
    AddAnimation("a", 2, 3);
    Panel().Refresh(true);
    EXPECT_TRUE(Panel().InsertItems());
    ASSERT_EQ(Resources().Count<CVKT_IndexList>(), 2);
    EXPECT_EQ(Animation(1).ID(), "New ID");
    EXPECT_EQ(Animation(1).PlayMode(), 1);
    EXPECT_EQ(Animation(1).FrameCount(), 0);
    EXPECT_EQ(Shown(Column::kId, 2), "New ID");
    EXPECT_EQ(Shown(Column::kPlayMode, 2), "Forward Loop");
    EXPECT_EQ(Panel().GetCursorItem(), 1);
    EXPECT_EQ(Panel().PreviewCursor().GetAnimationIndex(), 1);
}

TEST_F(AnimationsPanel, DeletingAndMovingKeepThePreviewOnTheCursorRow) {
    AddAnimation("a", 2, 1);
    AddAnimation("b", 2, 1);
    AddAnimation("c", 2, 1);
    Panel().Refresh(true);
    Panel().SetCursorItem(2);
    EXPECT_TRUE(Panel().DoMoveItem(2, 0));
    EXPECT_EQ(Animation(0).ID(), "c");
    Panel().SetCursorItem(1);
    Panel().DeleteItems();
    ASSERT_EQ(Resources().Count<CVKT_IndexList>(), 2);
    EXPECT_EQ(Animation(1).ID(), "b");
    EXPECT_EQ(Panel().PreviewCursor().GetAnimationIndex(), Panel().GetCursorItem());
}

TEST_F(AnimationsPanel, TheEditMenuSaysItIsEmpty) {
    const QList<QAction*> entries = EditEntries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0]->text(), "Empty");
    EXPECT_EQ(entries[0]->statusTip(), "Empty menu");
    EXPECT_FALSE(entries[0]->isEnabled());
}

TEST_F(AnimationsPanel, PreviewDrawsTheCurrentFrameAtTheOrigin) {
    AddPicture("red", 3, 3, qRgb(255, 0, 0));
    AddPicture("green", 3, 3, qRgb(0, 255, 0));
    const int index = AddAnimation("a", 0, 1);
    Animation(index).AddFrame({0, 1, 10, 10});
    Animation(index).AddFrame({1, 1, 10, 10});
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const QRect preview(0, 0, 301, 201);
    const QPoint spot = preview.topLeft() + QPoint(94, 94) + QPoint(11, 11);
    EXPECT_EQ(PreviewImage(preview).pixel(spot), qRgb(255, 0, 0));
    EXPECT_TRUE(Panel().StepTime());
    EXPECT_TRUE(Panel().StepTime());
    EXPECT_EQ(PreviewImage(preview).pixel(spot), qRgb(0, 255, 0));
}

TEST_F(AnimationsPanel, BrokenReferencesNameTheAnimationAndTheFrame) {
    AddPicture("p0", 2, 2);
    AddPicture("p1", 2, 2);
    AddAnimation("fine", 3, 1, 1);
    QString message;
    EXPECT_EQ(Panel().FindBrokenReference(message), -1);

    const int bad = AddAnimation("bad", 2, 1, 0);
    Animation(bad).SetFrame(1, {2, 1, 0, 0});
    AddAnimation("also bad", 1, 1, -1);
    EXPECT_EQ(Panel().FindBrokenReference(message), bad);
    EXPECT_TRUE(message.contains("\"bad\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("frame 1"));
    EXPECT_TRUE(message.contains("bitmap 2"));

    // An animation that does not show bitmaps refers to none.
    Animation(bad).SetType(0);
    EXPECT_EQ(Panel().FindBrokenReference(message), 2);
    EXPECT_TRUE(message.contains("bitmap -1")) << message.toStdString();
}

}  // namespace
}  // namespace plexion
