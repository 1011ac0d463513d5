#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "custom_scroll_bar.h"
#include "resource_grid.h"

namespace plexion::test {
namespace {

constexpr int kColumns = 6;
constexpr int kRows = 40;

// A grid of 6 columns and 40 rows with one fixed row and column, sized so
// that only part of it shows, recording its notifications in order.
class ResourceGridInput : public ::testing::Test {
protected:
    void SetUp() override {
        CGridSheet& sheet = grid_.Sheet();
        sheet.SetColumnCount(kColumns);
        sheet.SetRowCount(kRows);
        sheet.SetFixedColumnCount(1);
        sheet.SetFixedRowCount(1);
        for (int row = 0; row < kRows; ++row) {
            sheet.Cell(0, row)->SetType(GridCellType::RowNumber);
            for (int column = 1; column < kColumns; ++column) {
                sheet.Cell(column, row)->SetType(GridCellType::Text);
                sheet.Cell(column, row)->SetText(QString("%1:%2").arg(column).arg(row));
            }
        }
        grid_.resize(400, 300);
        grid_.RecomputeScrollRanges();
        QObject::connect(&grid_, &CResourceGrid::cursorChanged, [this](CResourceGrid* grid) {
            EXPECT_EQ(grid, &grid_);
            log_.push_back("cursor " + Cell(grid->Sheet().Cursor()));
        });
        QObject::connect(&grid_, &CResourceGrid::rangeSwept,
                         [this](CResourceGrid* grid, QPoint previous, QPoint clicked) {
                             EXPECT_EQ(grid, &grid_);
                             log_.push_back("swept " + Cell(previous) + " " + Cell(clicked));
                         });
        QObject::connect(&grid_, &CResourceGrid::editRequested,
                         [this](CResourceGrid* grid, CGridEditRequest* request) {
                             EXPECT_EQ(grid, &grid_);
                             log_.push_back("request " + request->typed.toStdString());
                             request->handled = handleRequests_;
                         });
        QObject::connect(&grid_, &CResourceGrid::cellEdited, [this](CResourceGrid* grid) {
            EXPECT_EQ(grid, &grid_);
            log_.push_back("edited");
        });
    }

    static std::string Cell(QPoint cell) {
        return std::to_string(cell.x()) + "," + std::to_string(cell.y());
    }
    QPoint Cursor() const { return grid_.Sheet().Cursor(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&grid_, key, modifiers);
    }
    void Click(int column, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(&grid_, Qt::LeftButton, modifiers,
                          grid_.Sheet().CellRect(column, row).center());
    }

    CResourceGrid grid_;
    std::vector<std::string> log_;
    bool handleRequests_ = false;
};

using Log = std::vector<std::string>;

// ---- keyboard navigation ---------------------------------------------------

TEST_F(ResourceGridInput, ArrowKeysMoveOneCellAndNotify) {
    grid_.MoveCursorTo(2, 2);
    Key(Qt::Key_Right);
    EXPECT_EQ(Cursor(), QPoint(3, 2));
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor(), QPoint(3, 3));
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor(), QPoint(2, 2));
    EXPECT_EQ(log_, (Log{"cursor 3,2", "cursor 3,3", "cursor 2,3", "cursor 2,2"}));
    EXPECT_EQ(grid_.PreviousCursor(), QPoint(2, 3));
}

TEST_F(ResourceGridInput, ArrowKeysStopAtTheEdges) {
    grid_.MoveCursorTo(0, 0);
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(Cursor(), QPoint(0, 0));
    grid_.MoveCursorTo(kColumns - 1, kRows - 1);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Cursor(), QPoint(kColumns - 1, kRows - 1));
}

TEST_F(ResourceGridInput, PageKeysMoveTenRows) {
    grid_.MoveCursorTo(2, 5);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Cursor(), QPoint(2, 15));
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Cursor(), QPoint(2, 0));
    grid_.MoveCursorTo(2, 35);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Cursor(), QPoint(2, kRows - 1));
}

TEST_F(ResourceGridInput, HomeGoesToTheFirstCellPastTheFixedOnes) {
    grid_.MoveCursorTo(4, 30);
    Key(Qt::Key_Home);
    EXPECT_EQ(Cursor(), QPoint(1, 1));
    Key(Qt::Key_Home);
    EXPECT_EQ(Cursor(), QPoint(1, 1));
    EXPECT_EQ(log_, (Log{"cursor 1,1", "cursor 1,1"}));
}

TEST_F(ResourceGridInput, ControlHomeThereAgainGoesToTheTopLeftCell) {
    grid_.MoveCursorTo(4, 30);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Cursor(), QPoint(1, 1));
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Cursor(), QPoint(0, 0));
}

TEST_F(ResourceGridInput, EndGoesToTheEndOfTheRowThenToTheLastRow) {
    grid_.MoveCursorTo(2, 4);
    Key(Qt::Key_End);
    EXPECT_EQ(Cursor(), QPoint(kColumns - 1, 4));
    Key(Qt::Key_End);
    EXPECT_EQ(Cursor(), QPoint(kColumns - 1, kRows - 1));
    grid_.MoveCursorTo(2, 4);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Cursor(), QPoint(kColumns - 1, kRows - 1));
}

TEST_F(ResourceGridInput, ShiftWithANavigationKeySweeps) {
    grid_.MoveCursorTo(2, 4);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(log_, (Log{"cursor 2,5", "swept 2,4 2,5"}));
}

TEST_F(ResourceGridInput, MovingPastTheViewScrollsTheCursorIntoIt) {
    grid_.MoveCursorTo(1, 1);
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_PageDown);
    }
    const QRect cell = grid_.Sheet().CellRect(1, 31);
    EXPECT_TRUE(grid_.SheetArea().contains(cell));
    EXPECT_GT(grid_.Sheet().ScrollPosition().y(), 0.0);
    EXPECT_EQ(grid_.VerticalScrollBar()->Position(), grid_.Sheet().ScrollPosition().y());
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid_.Sheet().ScrollPosition(), QPointF(0, 0));
}

TEST_F(ResourceGridInput, AnEmptyGridIgnoresNavigation) {
    grid_.Sheet().SetRowCount(0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Home);
    EXPECT_TRUE(log_.empty());
}

// ---- mouse -----------------------------------------------------------------

TEST_F(ResourceGridInput, AClickMovesTheCursorToTheCell) {
    Click(3, 5);
    EXPECT_EQ(Cursor(), QPoint(3, 5));
    EXPECT_EQ(log_, (Log{"cursor 3,5"}));
}

TEST_F(ResourceGridInput, AShiftClickSweepsFromThePreviousCursor) {
    grid_.MoveCursorTo(2, 2);
    Click(3, 7, Qt::ShiftModifier);
    EXPECT_EQ(log_, (Log{"cursor 3,7", "swept 2,2 3,7"}));
}

TEST_F(ResourceGridInput, ControlShiftClickDoesNotSweep) {
    grid_.MoveCursorTo(2, 2);
    Click(3, 7, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(log_, (Log{"cursor 3,7"}));
}

TEST_F(ResourceGridInput, ClicksOutsideTheCellsDoNothing) {
    grid_.Sheet().SetRowCount(3);
    grid_.MoveCursorTo(2, 2);
    QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, QPoint(100, 250));
    QTest::mouseClick(&grid_, Qt::RightButton, Qt::NoModifier,
                      grid_.Sheet().CellRect(1, 1).center());
    EXPECT_EQ(Cursor(), QPoint(2, 2));
    EXPECT_TRUE(log_.empty());
}

TEST_F(ResourceGridInput, TheWheelScrollsWithoutMovingTheCursor) {
    QWheelEvent wheel(QPointF(50, 50), grid_.mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid_, &wheel);
    EXPECT_GT(grid_.Sheet().ScrollPosition().y(), 0.0);
    EXPECT_EQ(Cursor(), QPoint(0, 0));
}

// ---- position line ---------------------------------------------------------

TEST_F(ResourceGridInput, ThePositionLineShowsTheCursorAndTheCounts) {
    grid_.MoveCursorTo(3, 12);
    EXPECT_EQ(grid_.PositionText(), "X: 3 / 6      Y: 12 / 40");
    grid_.SetStatusPrefix("Selected: 2");
    EXPECT_EQ(grid_.PositionText(), "Selected: 2      X: 3 / 6      Y: 12 / 40");
}

// ---- starting an edit ----------------------------------------------------------

TEST_F(ResourceGridInput, ReturnAsksTheOwnerFirst) {
    handleRequests_ = true;
    grid_.Sheet().Cell(2, 3)->SetEditable(true);
    grid_.MoveCursorTo(2, 3);
    Key(Qt::Key_Return);
    QTest::keyClicks(&grid_, "z");
    EXPECT_EQ(log_, (Log{"request ", "edited", "request z", "edited"}));
}

TEST_F(ResourceGridInput, CellsThatAreNotEditableAreNotEdited) {
    handleRequests_ = true;
    grid_.MoveCursorTo(2, 3);
    Key(Qt::Key_Return);
    QTest::keyClicks(&grid_, "z");
    EXPECT_TRUE(log_.empty());
}

TEST_F(ResourceGridInput, BackspaceEscapeAndControlCharactersStartNoEdit) {
    handleRequests_ = true;
    grid_.Sheet().Cell(2, 3)->SetEditable(true);
    grid_.MoveCursorTo(2, 3);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Escape);
    QTest::keyClick(&grid_, 'c', Qt::ControlModifier);
    EXPECT_TRUE(log_.empty());
    QTest::keyClick(&grid_, 'c', Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(log_, (Log{"request c", "edited"}));
}

// ---- yes/no cells are edited in place ------------------------------------------

class ResourceGridYesNo : public ResourceGridInput {
protected:
    void SetUp() override {
        ResourceGridInput::SetUp();
        cell_ = grid_.Sheet().Cell(2, 3);
        cell_->SetType(GridCellType::YesNo);
        cell_->SetEditable(true);
        grid_.MoveCursorTo(2, 3);
    }
    void Type(char character) { QTest::keyClicks(&grid_, QString(QChar(character))); }

    CGridCell* cell_ = nullptr;
};

TEST_F(ResourceGridYesNo, ReturnSpaceAndQToggle) {
    Key(Qt::Key_Return);
    EXPECT_TRUE(cell_->GetBool());
    Type(' ');
    EXPECT_FALSE(cell_->GetBool());
    Type('q');
    EXPECT_TRUE(cell_->GetBool());
    EXPECT_EQ(log_, (Log{"request ", "edited", "request  ", "edited", "request q", "edited"}));
}

TEST_F(ResourceGridYesNo, NSetsNoAndAnyOtherCharacterYes) {
    cell_->SetBool(true);
    Type('n');
    EXPECT_FALSE(cell_->GetBool());
    Type('N');
    EXPECT_FALSE(cell_->GetBool());
    Type('y');
    EXPECT_TRUE(cell_->GetBool());
    Type('7');
    EXPECT_TRUE(cell_->GetBool());
}

// Texts that do not fit their cell are cut with an ellipsis, each line on
// its own; a number is never cut into digits that read as another number.
TEST(GridCellText, CutTextsEndWithAnEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    const int narrow = metrics.horizontalAdvance(QStringLiteral("Loop P"));
    struct CCase {
        QString text;
        bool multiLine;
        QString keptStart;
    };
    const QString ellipsis(QChar(0x2026));
    for (const CCase& test : {CCase{"Loop Play", false, "L"}, CCase{"+2147483647", false, "+2"},
                              CCase{"first line is long\nfirst line is long", true, "f"},
                              CCase{QString(100'000, u'w'), false, "w"}}) {
        const QString fitted = FittedCellText(metrics, test.text, narrow, test.multiLine);
        for (const QString& line : fitted.split(u'\n')) {
            EXPECT_TRUE(line.endsWith(ellipsis)) << line.toStdString();
            EXPECT_TRUE(line.startsWith(test.keptStart)) << line.toStdString();
            EXPECT_LE(metrics.horizontalAdvance(line), narrow) << line.toStdString();
        }
    }
    EXPECT_EQ(FittedCellText(metrics, QStringLiteral("+5"), narrow, false), "+5");
}

// One long text widens its column only up to the grid's width, so the
// other columns stay in reach; the whole text is in the cell's tooltip,
// and the column follows the grid when it is resized.
TEST(ResourceGridColumns, ALongTextWidensItsColumnOnlyToTheGridsWidth) {
    CResourceGrid grid;
    CGridSheet& sheet = grid.Sheet();
    sheet.SetColumnCount(2);
    sheet.SetRowCount(2);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            sheet.Cell(column, row)->SetType(GridCellType::Text);
            sheet.Cell(column, row)->SetText(QStringLiteral("short"));
        }
    }
    const QString longText(100'000, u'x');
    sheet.Cell(1, 1)->SetText(longText);
    grid.resize(400, 300);
    grid.RecomputeScrollRanges();
    sheet.FitColumns(0, 1);
    const double limit = grid.SheetArea().width();
    EXPECT_EQ(sheet.ColumnWidth(1), limit);
    EXPECT_LT(sheet.ColumnWidth(0), 100.0);
    EXPECT_EQ(grid.CutCellText(1, 1), longText);
    EXPECT_EQ(grid.CutCellText(0, 1), QString());

    grid.resize(700, 300);
    grid.RecomputeScrollRanges();
    EXPECT_EQ(sheet.ColumnWidth(1), grid.SheetArea().width());
    sheet.SetMaxFittedColumnWidth(0.0);
    EXPECT_GT(sheet.ColumnWidth(1), 10'000.0);
}

}  // namespace
}  // namespace plexion::test
