#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "resource_grid.h"
#include "text_list_panel.h"

namespace plexion::test {
namespace {

using Items = std::vector<int>;

TEST(PanelGrid, ShowsHeaderRowNumbersAndSelectColumn) {
    auto texts = MakeTexts({"alpha", "beta", "gamma"});
    auto panel = ShowPanel(texts.get());
    const CGridSheet& sheet = panel->Grid()->Sheet();
    EXPECT_EQ(sheet.RowCount(), 4);
    EXPECT_EQ(sheet.ColumnCount(), 5);
    EXPECT_EQ(sheet.FixedRowCount(), 1);
    EXPECT_EQ(sheet.FixedColumnCount(), 2);
    EXPECT_EQ(sheet.DisplayText(1, 0), "Select");
    EXPECT_EQ(sheet.DisplayText(2, 0), "ID");
    EXPECT_EQ(sheet.DisplayText(0, 1), "1");
    EXPECT_EQ(sheet.DisplayText(0, 3), "3");
    EXPECT_EQ(sheet.DisplayText(1, 2), "No");
    EXPECT_EQ(sheet.DisplayText(2, 2), "beta");
    EXPECT_EQ(sheet.DisplayText(4, 3), "+2");
    EXPECT_EQ(panel->GetRowCount(), 3);
    EXPECT_EQ(panel->Title(), "Texts and Parameters");
    EXPECT_EQ(panel->LastFolder(), QDir::homePath());
    // Creation puts the cursor on the first item.
    EXPECT_EQ(panel->GetCursorItem(), 0);
    EXPECT_EQ(panel->Grid()->StatusPrefix(), "Selected: 1");
    EXPECT_EQ(panel->ItemOfRow(0), -1);
    EXPECT_EQ(panel->ItemOfRow(3), 2);
    EXPECT_EQ(panel->ItemOfRow(4), -1);
    EXPECT_EQ(panel->KindCell(-1, 1), nullptr);
}

TEST(PanelMarks, AffectedItemsAreTheMarksAndTheCursorItem) {
    auto texts = MakeTexts(Numbers(10));
    auto panel = ShowPanel(texts.get());
    EXPECT_TRUE(panel->SetMarked(1, true, true, true));
    EXPECT_TRUE(panel->SetMarked(7, true, true, true));
    EXPECT_TRUE(panel->SetCursorItem(4));
    EXPECT_EQ(panel->GetAffectedCount(), 3);
    EXPECT_EQ(panel->Grid()->StatusPrefix(), "Selected: 3");
    EXPECT_EQ(panel->GetAffectedItems(true, true), (Items{1, 4, 7}));
    EXPECT_EQ(panel->GetAffectedItems(false, true), (Items{7, 4, 1}));
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{1, 7}));
    // A marked cursor item counts once.
    panel->SetCursorItem(7);
    EXPECT_EQ(panel->GetAffectedCount(), 2);
    EXPECT_EQ(panel->Grid()->StatusPrefix(), "Selected: 2");
    // Marks show as Yes and as highlighted rows.
    const CGridSheet& sheet = panel->Grid()->Sheet();
    EXPECT_EQ(sheet.DisplayText(1, 2), "Yes");
    EXPECT_EQ(sheet.RowHighlight(2), 1);
    EXPECT_EQ(sheet.RowHighlight(3), 0);
    EXPECT_TRUE(panel->IsMarked(1));
    EXPECT_FALSE(panel->IsMarked(2));
    EXPECT_FALSE(panel->IsMarked(10));
}

TEST(PanelMarks, OutOfRangeMarksAndCursorsAreRefused) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    EXPECT_FALSE(panel->SetMarked(-1, true, true, true));
    EXPECT_FALSE(panel->SetMarked(3, true, true, true));
    EXPECT_FALSE(panel->SetCursorItem(-2));
    EXPECT_EQ(panel->GetCursorItem(), 0);
    // Past the end means the last item.
    EXPECT_TRUE(panel->SetCursorItem(100));
    EXPECT_EQ(panel->GetCursorItem(), 2);
    // -1 is the header row: no cursor item.
    EXPECT_TRUE(panel->SetCursorItem(-1));
    EXPECT_EQ(panel->GetCursorItem(), -1);
    EXPECT_EQ(panel->Grid()->Sheet().CursorRow(), 0);
    EXPECT_EQ(panel->GetAffectedCount(), 0);
    EXPECT_TRUE(panel->GetAffectedItems(true, true).empty());
}

TEST(PanelMarks, CursorMovesNotifyOnlyWhenTheRowChanges) {
    auto texts = MakeTexts(Numbers(5));
    auto panel = ShowPanel(texts.get());
    const int before = panel->selectionChanges;
    panel->SetCursorItem(0);
    EXPECT_EQ(panel->selectionChanges, before);
    QTest::keyClick(panel->Grid(), Qt::Key_Down);
    EXPECT_EQ(panel->selectionChanges, before + 1);
    EXPECT_EQ(panel->GetCursorItem(), 1);
    QTest::keyClick(panel->Grid(), Qt::Key_Right);
    EXPECT_EQ(panel->selectionChanges, before + 1);
    QTest::keyClick(panel->Grid(), Qt::Key_Up);
    EXPECT_EQ(panel->selectionChanges, before + 2);
}

TEST(PanelMarks, AllInvertAndNoneNotifyOnce) {
    auto texts = MakeTexts(Numbers(4));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(2, false, true, false);
    const int before = panel->selectionChanges;
    EXPECT_TRUE(panel->InvertMarks(true, true));
    EXPECT_EQ(panel->selectionChanges, before + 1);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 3}));
    EXPECT_TRUE(panel->SetAllMarked(true, true, true));
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3}));
    EXPECT_TRUE(panel->SetAllMarked(false, false, true));
    EXPECT_EQ(panel->selectionChanges, before + 2);
    EXPECT_TRUE(panel->GetAffectedItems(true, false).empty());
}

TEST(PanelMarks, EmptyGroupHasNothingToAffect) {
    auto texts = MakeTexts({});
    auto panel = ShowPanel(texts.get());
    EXPECT_EQ(panel->Grid()->Sheet().RowCount(), 1);
    EXPECT_EQ(panel->GetRowCount(), 0);
    EXPECT_EQ(panel->GetAffectedCount(), 0);
    EXPECT_EQ(panel->Grid()->StatusPrefix(), "Selected: 0");
    EXPECT_TRUE(panel->GetAffectedItems(true, true).empty());
    EXPECT_FALSE(panel->SetAllMarked(true, true, true));
    EXPECT_FALSE(panel->InvertMarks(true, true));
    EXPECT_EQ(panel->GetCursorItem(), -1);
}

TEST(PanelMarks, ShiftClickMarksTheSweptRows) {
    auto texts = MakeTexts(Numbers(8));
    auto panel = ShowPanel(texts.get());
    panel->SetCursorItem(5);
    CResourceGrid* grid = panel->Grid();
    const QRect target = grid->Sheet().CellRect(3, 3);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, target.center());
    EXPECT_EQ(panel->GetCursorItem(), 2);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{2, 3, 4, 5}));
    EXPECT_EQ(grid->StatusPrefix(), "Selected: 4");
    // Sweeping up to the header marks no header row.
    QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, grid->Sheet().CellRect(3, 0).center());
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3, 4, 5}));
}

TEST(PanelMarks, SpaceOnASelectCellTogglesTheMark) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    CResourceGrid* grid = panel->Grid();
    grid->MoveCursorTo(CResourcePanel::kSelectColumn, 2);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_TRUE(panel->IsMarked(1));
    EXPECT_EQ(grid->Sheet().RowHighlight(2), 1);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_FALSE(panel->IsMarked(1));
    EXPECT_EQ(grid->Sheet().RowHighlight(2), 0);
}

TEST(PanelMarks, RebuildKeepsMarksAndCursor) {
    auto texts = MakeTexts(Numbers(6));
    auto panel = ShowPanel(texts.get());
    panel->SetMarked(1, false, true, false);
    panel->SetMarked(4, false, true, false);
    panel->Grid()->MoveCursorTo(3, 4);
    EXPECT_TRUE(panel->Refresh(true));
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{1, 4}));
    EXPECT_EQ(panel->Grid()->Sheet().Cursor(), QPoint(3, 4));
    EXPECT_EQ(panel->Grid()->Sheet().RowHighlight(5), 1);
}

TEST(PanelMarks, SummaryNamesTheCursorItemAndShortensLongLists) {
    auto texts = MakeTexts({"a", "b", "c", "d", "e", "f", "g", "h"});
    auto panel = ShowPanel(texts.get());
    EXPECT_EQ(panel->ItemsSummary(0, {0, 2, 9}), "a, c");
    EXPECT_EQ(panel->ItemsSummary(-1, {1, 2}), "b, c");
    EXPECT_EQ(panel->ItemsSummary(-1, {0, 1, 2, 3, 4, 5}), "a, b, c, d . . . f");
    EXPECT_EQ(panel->ItemsSummary(7, {0, 1, 2, 3, 4, 5, 7}), "h, a, b, c, d . . . f");
    EXPECT_EQ(panel->ItemsSummary(-1, {0, 1, 2, 3, 4}), "a, b, c, d, e");
}

}  // namespace
}  // namespace plexion::test
