#include <gtest/gtest.h>

#include <QFontMetrics>

#include "grid_fonts.h"
#include "grid_sheet.h"

namespace plexion::test {
namespace {

// A sheet whose cell (c, r) is a text cell reading "c,r".
void FillLabelled(CGridSheet& sheet, int columns, int rows) {
    sheet.SetColumnCount(columns);
    sheet.SetRowCount(rows);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            sheet.Cell(c, r)->SetType(GridCellType::Text);
            sheet.Cell(c, r)->SetText(QString("%1,%2").arg(c).arg(r));
        }
    }
}

// ---- shape -----------------------------------------------------------------

TEST(GridSheetShape, NewColumnsAndRowsHoldEmptyCellsOfTheDefaultSize) {
    CGridSheet sheet;
    sheet.SetColumnCount(3);
    sheet.SetRowCount(2);
    EXPECT_EQ(sheet.ColumnCount(), 3);
    EXPECT_EQ(sheet.RowCount(), 2);
    EXPECT_EQ(sheet.Cell(2, 1)->GetType(), GridCellType::Empty);
    EXPECT_EQ(sheet.ColumnWidth(1), 100.0);
    EXPECT_EQ(sheet.RowHeight(1), 18.0);
    EXPECT_EQ(sheet.ZoomX(), 1.0);
    EXPECT_EQ(sheet.ZoomY(), 1.0);
}

TEST(GridSheetShape, CellsOutsideTheSheetDoNotExist) {
    CGridSheet sheet;
    sheet.SetColumnCount(2);
    sheet.SetRowCount(2);
    EXPECT_EQ(sheet.Cell(2, 0), nullptr);
    EXPECT_EQ(sheet.Cell(0, 2), nullptr);
    EXPECT_EQ(sheet.Cell(-1, 0), nullptr);
    EXPECT_EQ(sheet.DisplayText(5, 5), "");
}

TEST(GridSheetShape, InsertedRowsComeBetweenTheOldOnes) {
    CGridSheet sheet;
    FillLabelled(sheet, 2, 3);
    sheet.InsertRows(1, 2);
    ASSERT_EQ(sheet.RowCount(), 5);
    EXPECT_EQ(sheet.DisplayText(1, 0), "1,0");
    EXPECT_EQ(sheet.Cell(1, 1)->GetType(), GridCellType::Empty);
    EXPECT_EQ(sheet.Cell(1, 2)->GetType(), GridCellType::Empty);
    EXPECT_EQ(sheet.DisplayText(1, 3), "1,1");
}

TEST(GridSheetShape, ShrinkingDropsTheLastColumnsAndRows) {
    CGridSheet sheet;
    FillLabelled(sheet, 3, 3);
    sheet.SetColumnCount(2);
    sheet.SetRowCount(1);
    EXPECT_EQ(sheet.ColumnCount(), 2);
    EXPECT_EQ(sheet.RowCount(), 1);
    EXPECT_EQ(sheet.DisplayText(1, 0), "1,0");
}

TEST(GridSheetShape, RemovingColumnsKeepsTheOthersInOrder) {
    CGridSheet sheet;
    FillLabelled(sheet, 4, 1);
    sheet.RemoveColumns(1, 2);
    ASSERT_EQ(sheet.ColumnCount(), 2);
    EXPECT_EQ(sheet.DisplayText(0, 0), "0,0");
    EXPECT_EQ(sheet.DisplayText(1, 0), "3,0");
}

// ---- cursor ----------------------------------------------------------------

TEST(GridSheetCursor, StaysInsideTheSheet) {
    CGridSheet sheet;
    sheet.SetColumnCount(3);
    sheet.SetRowCount(4);
    sheet.SetCursor(10, -2);
    EXPECT_EQ(sheet.Cursor(), QPoint(2, 0));
    sheet.SetCursor(1, 3);
    sheet.SetRowCount(2);
    EXPECT_EQ(sheet.Cursor(), QPoint(1, 1));
}

TEST(GridSheetCursor, ARowInsertedAtOrBeforeTheCursorPushesItOn) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(5);
    sheet.SetCursor(0, 2);
    sheet.InsertRows(2);
    EXPECT_EQ(sheet.CursorRow(), 3);
    sheet.InsertRows(0, 2);
    EXPECT_EQ(sheet.CursorRow(), 5);
    sheet.InsertRows(6);
    EXPECT_EQ(sheet.CursorRow(), 5);
}

TEST(GridSheetCursor, AColumnInsertedAtOrBeforeTheCursorPushesItOn) {
    CGridSheet sheet;
    sheet.SetColumnCount(3);
    sheet.SetRowCount(1);
    sheet.SetCursor(1, 0);
    sheet.InsertColumns(1);
    EXPECT_EQ(sheet.CursorColumn(), 2);
    sheet.InsertColumns(3);
    EXPECT_EQ(sheet.CursorColumn(), 2);
}

TEST(GridSheetCursor, FillingAnEmptySheetLeavesTheCursorAtTheStart) {
    CGridSheet sheet;
    sheet.SetColumnCount(4);
    sheet.SetRowCount(10);
    EXPECT_EQ(sheet.Cursor(), QPoint(0, 0));
}

TEST(GridSheetCursor, RemovedRowsBeforeTheCursorPullItBack) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(10);
    sheet.SetCursor(0, 7);
    sheet.RemoveRows(2, 3);
    EXPECT_EQ(sheet.CursorRow(), 4);
    sheet.RemoveRows(3, 3);
    EXPECT_EQ(sheet.CursorRow(), 3);
}

// ---- MoveRow ---------------------------------------------------------------

class GridSheetMoveRow : public ::testing::Test {
protected:
    void SetUp() override {
        FillLabelled(sheet_, 2, 8);
        for (int row = 0; row < 8; ++row) {
            sheet_.SetRowHeight(row, 10 + row);
            sheet_.SetRowHighlight(row, row);
        }
    }
    QString Label(int row) const { return sheet_.DisplayText(0, row); }

    CGridSheet sheet_;
};

TEST_F(GridSheetMoveRow, DownShiftsTheRowsBetweenUp) {
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(Label(2), "0,3");
    EXPECT_EQ(Label(4), "0,5");
    EXPECT_EQ(Label(5), "0,2");
    EXPECT_EQ(sheet_.DisplayText(1, 5), "1,2");
    EXPECT_EQ(Label(6), "0,6");
}

TEST_F(GridSheetMoveRow, UpShiftsTheRowsBetweenDown) {
    sheet_.MoveRow(5, 1);
    EXPECT_EQ(Label(1), "0,5");
    EXPECT_EQ(Label(2), "0,1");
    EXPECT_EQ(Label(5), "0,4");
    EXPECT_EQ(Label(0), "0,0");
}

TEST_F(GridSheetMoveRow, TheRowCarriesItsHeightAndHighlight) {
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(sheet_.RowHeight(5), 12.0);
    EXPECT_EQ(sheet_.RowHighlight(5), 2);
    EXPECT_EQ(sheet_.RowTop(6), 10 + 11 + 13 + 14 + 15 + 12.0);
}

TEST_F(GridSheetMoveRow, ACursorBetweenMovesOneStepTowardTheSource) {
    sheet_.SetCursor(0, 4);
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(sheet_.CursorRow(), 3);
    sheet_.SetCursor(0, 3);
    sheet_.MoveRow(6, 3);
    EXPECT_EQ(sheet_.CursorRow(), 4);
}

TEST_F(GridSheetMoveRow, TheMovedRowKeepsTheCursor) {
    sheet_.SetCursor(1, 2);
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(sheet_.Cursor(), QPoint(1, 5));
}

TEST_F(GridSheetMoveRow, ACursorOutsideTheMoveStays) {
    sheet_.SetCursor(0, 6);
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(sheet_.CursorRow(), 6);
    sheet_.SetCursor(0, 1);
    sheet_.MoveRow(2, 5);
    EXPECT_EQ(sheet_.CursorRow(), 1);
}

TEST_F(GridSheetMoveRow, TheTargetIsClampedIntoTheSheet) {
    sheet_.MoveRow(1, 100);
    EXPECT_EQ(Label(7), "0,1");
    sheet_.MoveRow(7, -4);
    EXPECT_EQ(Label(0), "0,1");
}

TEST_F(GridSheetMoveRow, NothingHappensForAnInvalidSource) {
    sheet_.SetCursor(0, 3);
    sheet_.MoveRow(-1, 3);
    sheet_.MoveRow(8, 3);
    sheet_.MoveRow(3, 3);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(Label(row), QString("0,%1").arg(row));
    }
    EXPECT_EQ(sheet_.CursorRow(), 3);
}

TEST(GridSheetMoveRowSmall, ASheetOfOneRowDoesNotMove) {
    CGridSheet sheet;
    FillLabelled(sheet, 1, 1);
    sheet.MoveRow(0, 1);
    EXPECT_EQ(sheet.DisplayText(0, 0), "0,0");
}

// ---- fixed cells and highlights ------------------------------------------------

TEST(GridSheetFixed, FixedCellsAreLeftOfOrAboveTheFixedCounts) {
    CGridSheet sheet;
    sheet.SetColumnCount(4);
    sheet.SetRowCount(4);
    sheet.SetFixedColumnCount(2);
    sheet.SetFixedRowCount(1);
    EXPECT_TRUE(sheet.IsFixedCell(1, 3));
    EXPECT_TRUE(sheet.IsFixedCell(3, 0));
    EXPECT_FALSE(sheet.IsFixedCell(2, 1));
}

TEST(GridSheetHighlight, AColumnRowOrCellAtLevelOneHighlights) {
    CGridSheet sheet;
    sheet.SetColumnCount(3);
    sheet.SetRowCount(3);
    EXPECT_FALSE(sheet.IsHighlighted(1, 1));
    sheet.SetColumnHighlight(0, 1);
    sheet.SetRowHighlight(2, 3);
    sheet.Cell(1, 1)->SetHighlight(1);
    sheet.Cell(2, 0)->SetHighlight(-1);
    EXPECT_TRUE(sheet.IsHighlighted(0, 1));
    EXPECT_TRUE(sheet.IsHighlighted(1, 2));
    EXPECT_TRUE(sheet.IsHighlighted(1, 1));
    EXPECT_FALSE(sheet.IsHighlighted(2, 0));
    EXPECT_FALSE(sheet.IsHighlighted(2, 1));
}

TEST(GridSheetHighlight, NothingOutsideTheSheetIsHighlighted) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(1);
    sheet.SetColumnHighlight(0, 1);
    EXPECT_FALSE(sheet.IsHighlighted(0, 1));
    EXPECT_FALSE(sheet.IsHighlighted(-1, 0));
}

// ---- measuring and fitting -------------------------------------------------

TEST(GridSheetFit, ACellNeedsItsTextPlusPadding) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(1);
    CGridCell* cell = sheet.Cell(0, 0);
    cell->SetType(GridCellType::Text);
    cell->SetText("A rather long text for a cell");
    const QFontMetrics metrics(GridInterfaceFont());
    const int width = metrics.horizontalAdvance("A rather long text for a cell");
    EXPECT_EQ(sheet.MeasureCell(0, 0), QSize(width + 16, std::max(metrics.height() + 4, 18)));
}

TEST(GridSheetFit, ShortTextsStillGetTheMinimumSize) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(1);
    const QFontMetrics metrics(GridInterfaceFont());
    const int height = std::max(metrics.height() + 4, 18);
    EXPECT_EQ(sheet.MeasureCell(0, 0), QSize(8 + 16, height));
    sheet.Cell(0, 0)->SetType(GridCellType::Color);
    const int colorText = metrics.horizontalAdvance("(FF)  00 00 00");
    EXPECT_EQ(sheet.MeasureCell(0, 0), QSize(std::max(colorText, 8) + 26, height + 10));
}

TEST(GridSheetFit, AMeasureFollowsTheValue) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(1);
    CGridCell* cell = sheet.Cell(0, 0);
    cell->SetType(GridCellType::MultiLineText);
    cell->SetText("one");
    const QSize oneLine = sheet.MeasureCell(0, 0);
    cell->SetText("one\ntwo\nthree");
    const QSize threeLines = sheet.MeasureCell(0, 0);
    EXPECT_GT(threeLines.height(), oneLine.height() + QFontMetrics(GridInterfaceFont()).height());
    cell->SetText("one");
    EXPECT_EQ(sheet.MeasureCell(0, 0), oneLine);
}

TEST(GridSheetFit, ColumnsAndRowsTakeTheirLargestCell) {
    CGridSheet sheet;
    sheet.SetColumnCount(3);
    sheet.SetRowCount(3);
    sheet.Cell(1, 0)->SetType(GridCellType::Text);
    sheet.Cell(1, 0)->SetText("short");
    sheet.Cell(1, 2)->SetType(GridCellType::MultiLineText);
    sheet.Cell(1, 2)->SetText("a much longer text\nover two lines");
    sheet.FitColumns(0, 1);
    sheet.FitRows(0, 2);
    EXPECT_EQ(sheet.ColumnWidth(1), sheet.MeasureCell(1, 2).width());
    EXPECT_EQ(sheet.ColumnWidth(0), 24.0);
    EXPECT_EQ(sheet.ColumnWidth(2), 100.0);
    EXPECT_EQ(sheet.RowHeight(2), sheet.MeasureCell(1, 2).height());
    EXPECT_EQ(sheet.RowHeight(0), sheet.MeasureCell(1, 0).height());
}

TEST(GridSheetFit, ARowNumberIsMeasuredWhereItStands) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(2000);
    for (int row = 0; row < sheet.RowCount(); ++row) {
        sheet.Cell(0, row)->SetType(GridCellType::RowNumber);
    }
    sheet.FitColumns(0, 0);
    const QFontMetrics metrics(GridInterfaceFont());
    EXPECT_EQ(sheet.ColumnWidth(0), std::max(8, metrics.horizontalAdvance("+1999")) + 16);
    sheet.SetFixedColumnCount(1);
    sheet.FitColumns(0, 0);
    EXPECT_EQ(sheet.ColumnWidth(0), std::max(8, metrics.horizontalAdvance("1999")) + 16);
}

// ---- layout, zoom and scrolling ------------------------------------------------

class GridSheetLayout : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_.SetColumnCount(10);
        sheet_.SetRowCount(100);
        sheet_.SetFixedColumnCount(1);
        sheet_.SetFixedRowCount(1);
        sheet_.SetVisibleRect(QRect(0, 0, 450, 180));
    }
    CGridSheet sheet_;
};

TEST_F(GridSheetLayout, CellsLieSideBySide) {
    EXPECT_EQ(sheet_.CellRect(0, 0), QRect(0, 0, 100, 18));
    EXPECT_EQ(sheet_.CellRect(2, 3), QRect(200, 54, 100, 18));
    EXPECT_EQ(sheet_.ScrollExtent(), QSizeF(900, 99 * 18));
    EXPECT_EQ(sheet_.ScrollPage(), QSizeF(350, 162));
}

TEST_F(GridSheetLayout, ScrollingMovesAllButTheFixedCells) {
    sheet_.SetScrollPosition(QPointF(150, 36));
    EXPECT_EQ(sheet_.CellRect(0, 0), QRect(0, 0, 100, 18));
    EXPECT_EQ(sheet_.CellRect(0, 5), QRect(0, 54, 100, 18));
    EXPECT_EQ(sheet_.CellRect(3, 0), QRect(150, 0, 100, 18));
    EXPECT_EQ(sheet_.CellRect(3, 5), QRect(150, 54, 100, 18));
}

TEST_F(GridSheetLayout, TheScrollPositionStaysInsideTheContent) {
    sheet_.SetScrollPosition(QPointF(-5, 1e9));
    EXPECT_EQ(sheet_.ScrollPosition(), QPointF(0, 99 * 18 - 162));
    sheet_.SetRowCount(3);
    EXPECT_EQ(sheet_.ScrollPosition().y(), 0.0);
}

TEST_F(GridSheetLayout, PointsFindTheirCells) {
    sheet_.SetScrollPosition(QPointF(50, 18));
    EXPECT_EQ(sheet_.CellAt(QPoint(10, 5)), QPoint(0, 0));
    EXPECT_EQ(sheet_.CellAt(QPoint(99, 17)), QPoint(0, 0));
    EXPECT_EQ(sheet_.CellAt(QPoint(100, 18)), QPoint(1, 2));
    EXPECT_EQ(sheet_.CellAt(QPoint(160, 40)), QPoint(2, 3));
    EXPECT_FALSE(sheet_.CellAt(QPoint(460, 40)).has_value());
}

TEST_F(GridSheetLayout, PointsPastTheLastCellFindNothing) {
    sheet_.SetColumnCount(2);
    sheet_.SetRowCount(2);
    EXPECT_EQ(sheet_.CellAt(QPoint(199, 35)), QPoint(1, 1));
    EXPECT_FALSE(sheet_.CellAt(QPoint(200, 10)).has_value());
    EXPECT_FALSE(sheet_.CellAt(QPoint(10, 36)).has_value());
}

TEST_F(GridSheetLayout, OnlyTheRowsAndColumnsInViewAreVisible) {
    EXPECT_EQ(sheet_.VisibleColumns(), std::make_pair(1, 4));
    EXPECT_EQ(sheet_.VisibleRows(), std::make_pair(1, 9));
    sheet_.SetScrollPosition(QPointF(100, 18 * 50 + 9));
    EXPECT_EQ(sheet_.VisibleColumns(), std::make_pair(2, 5));
    EXPECT_EQ(sheet_.VisibleRows(), std::make_pair(51, 60));
}

TEST_F(GridSheetLayout, ScrollingIntoViewMovesTheLeastNeeded) {
    sheet_.ScrollIntoView(6, 30);
    EXPECT_EQ(sheet_.ScrollPosition(), QPointF(600 - 350, 30 * 18 - 162));
    sheet_.ScrollIntoView(2, 20);
    EXPECT_EQ(sheet_.ScrollPosition(), QPointF(100, 19 * 18));
    sheet_.ScrollIntoView(0, 0);
    EXPECT_EQ(sheet_.ScrollPosition(), QPointF(100, 19 * 18));
}

TEST_F(GridSheetLayout, ZoomScalesPositionsButNotSizes) {
    sheet_.SetScrollPosition(QPointF(100, 90));
    sheet_.SetZoom(2.0, 0.5);
    EXPECT_EQ(sheet_.ColumnWidth(1), 100.0);
    EXPECT_EQ(sheet_.CellRect(1, 0), QRect(0, 0, 200, 9));
    EXPECT_EQ(sheet_.CellRect(2, 1), QRect(200, 9 - 45, 200, 9));
    EXPECT_EQ(sheet_.ScrollPosition(), QPointF(200, 45));
    sheet_.SetZoom(0.0, 1.0);
    EXPECT_EQ(sheet_.ZoomX(), 2.0);
}

TEST_F(GridSheetLayout, TheVisibleRectOffsetsEverything) {
    sheet_.SetVisibleRect(QRect(10, 20, 450, 180));
    EXPECT_EQ(sheet_.CellRect(1, 1), QRect(110, 38, 100, 18));
    EXPECT_EQ(sheet_.CellAt(QPoint(111, 39)), QPoint(1, 1));
    EXPECT_FALSE(sheet_.CellAt(QPoint(5, 39)).has_value());
}

}  // namespace
}  // namespace plexion::test
