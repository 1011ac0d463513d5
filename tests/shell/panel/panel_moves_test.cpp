#include <gtest/gtest.h>

#include "resource_grid.h"
#include "text_list_panel.h"

namespace plexion::test {
namespace {

using Items = std::vector<int>;

// The IDs the grid's ID column shows, in row order.
QStringList GridIds(const CTextListPanel& panel) {
    QStringList ids;
    const CGridSheet& sheet = panel.Grid()->Sheet();
    for (int row = 1; row < sheet.RowCount(); ++row) {
        ids << sheet.DisplayText(2, row);
    }
    return ids;
}

QStringList Ids(std::initializer_list<int> numbers) {
    QStringList ids;
    for (const int number : numbers) {
        ids << QString::number(number);
    }
    return ids;
}

TEST(PanelMoves, MoveUpCarriesMarksAndCursorWithoutRebuilding) {
    auto texts = MakeTexts(Numbers(6));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(2, false, true, false);
    panel->SetMarked(4, false, true, false);
    panel->SetCursorItem(3);
    // A cell changed behind the panel's back stays changed: no rebuild.
    panel->Grid()->Sheet().Cell(3, 2)->SetText("untouched");
    panel->MoveItemsUp();
    EXPECT_EQ(TextIds(*texts), Ids({0, 2, 3, 4, 1, 5}));
    EXPECT_EQ(GridIds(*panel), TextIds(*texts));
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{1, 3}));
    EXPECT_EQ(panel->GetCursorItem(), 2);
    EXPECT_EQ(panel->Grid()->Sheet().DisplayText(3, 5), "untouched");
}

TEST(PanelMoves, MoveUpDoesNothingWhenTheFirstAffectedItemIsAtTheTop) {
    auto texts = MakeTexts(Numbers(5));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(0, false, true, false);
    panel->SetMarked(3, false, true, false);
    panel->MoveItemsUp();
    EXPECT_EQ(TextIds(*texts), Numbers(5));
    EXPECT_EQ(GridIds(*panel), Numbers(5));
}

TEST(PanelMoves, MoveDownMovesTheBlockAndStopsAtTheEnd) {
    auto texts = MakeTexts(Numbers(5));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(1, false, true, false);
    panel->SetCursorItem(2);
    panel->MoveItemsDown();
    EXPECT_EQ(TextIds(*texts), Ids({0, 3, 1, 2, 4}));
    EXPECT_EQ(GridIds(*panel), TextIds(*texts));
    EXPECT_EQ(panel->GetCursorItem(), 3);
    panel->MoveItemsDown();
    EXPECT_EQ(TextIds(*texts), Ids({0, 3, 4, 1, 2}));
    panel->MoveItemsDown();
    EXPECT_EQ(TextIds(*texts), Ids({0, 3, 4, 1, 2}));
    EXPECT_EQ(GridIds(*panel), TextIds(*texts));
}

TEST(PanelMoves, RefusedMoveShowsTheGroupAsItIs) {
    auto texts = MakeTexts(Numbers(4));
    auto panel = ShowPanel(texts.get());
    panel->refuseMoves = true;
    panel->SetCursorItem(2);
    panel->MoveItemsUp();
    EXPECT_EQ(TextIds(*texts), Numbers(4));
    EXPECT_EQ(GridIds(*panel), Numbers(4));
}

TEST(PanelMoves, MoveItemIgnoresIndexesOutsideTheGroup) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    panel->MoveItem(3, 0);
    panel->MoveItem(-1, 0);
    EXPECT_EQ(TextIds(*texts), Numbers(3));
    // The target is clamped into the group.
    panel->MoveItem(0, 99);
    EXPECT_EQ(TextIds(*texts), Ids({1, 2, 0}));
}

TEST(PanelMoves, GroupGathersTheAffectedItemsAfterTheFirst) {
    auto texts = MakeTexts(Numbers(10));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(5, false, true, false);
    panel->SetMarked(7, false, true, false);
    panel->SetCursorItem(2);
    panel->GroupItems();
    EXPECT_EQ(TextIds(*texts), Ids({0, 1, 2, 5, 7, 3, 4, 6, 8, 9}));
    EXPECT_EQ(GridIds(*panel), TextIds(*texts));
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{3, 4}));
    EXPECT_EQ(panel->GetCursorItem(), 2);
}

TEST(PanelMoves, DeleteRemovesHighestFirstWithoutAsking) {
    auto texts = MakeTexts(Numbers(6));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(1, false, true, false);
    panel->SetMarked(4, false, true, false);
    panel->SetCursorItem(2);
    EXPECT_EQ(panel->Grid()->StatusPrefix(), "Selected: 3");
    const int before = panel->selectionChanges;
    panel->DeleteItems();
    EXPECT_EQ(panel->deleted, (Items{4, 2, 1}));
    EXPECT_EQ(TextIds(*texts), Ids({0, 3, 5}));
    EXPECT_EQ(GridIds(*panel), TextIds(*texts));
    EXPECT_TRUE(panel->GetAffectedItems(true, false).empty());
    EXPECT_GT(panel->selectionChanges, before);
}

TEST(PanelMoves, InsertAddsARowAndPutsTheCursorOnIt) {
    auto texts = MakeTexts(Numbers(2));
    auto panel = ShowPanel(texts.get());
    EXPECT_TRUE(panel->InsertItems());
    EXPECT_EQ(GridIds(*panel), Ids({0, 1}) << "New ID");
    EXPECT_EQ(panel->GetCursorItem(), 2);
    EXPECT_EQ(panel->Grid()->Sheet().DisplayText(0, 3), "3");
    EXPECT_EQ(panel->Grid()->Sheet().DisplayText(1, 3), "No");
}

TEST(PanelMoves, EmptyGroupCommandsDoNothing) {
    auto texts = MakeTexts({});
    auto panel = ShowPanel(texts.get());
    panel->MoveItemsUp();
    panel->MoveItemsDown();
    panel->GroupItems();
    panel->DeleteItems();
    EXPECT_TRUE(panel->deleted.empty());
    EXPECT_EQ(panel->Grid()->Sheet().RowCount(), 1);
}

}  // namespace
}  // namespace plexion::test
