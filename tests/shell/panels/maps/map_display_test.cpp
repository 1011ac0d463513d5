#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include <set>
#include <utility>

#include "custom_scroll_bar.h"
#include "graphics_panel_fixture.h"
#include "map_canvas.h"
#include "map_cell_walk.h"
#include "map_display.h"
#include "map_item.h"
#include "map_palette.h"
#include "map_resize.h"
#include "maps_panel.h"
#include "split_map_dialog.h"

namespace plexion {
namespace {

const QRgb kGrass = qRgb(0, 160, 0);
const QRgb kWater = qRgb(0, 0, 200);

// Bitmaps 0 grass and 1 water; the map "room" of 10 x 10 cells of 16 x 16
// pixels, all grass, shown in the panel's display.
class MapDisplay : public test::CGraphicsPanelTest<CMapsPanel> {
protected:
    void SetUp() override {
        CGraphicsPanelTest::SetUp();
        AddPicture("grass", 16, 16, kGrass);
        AddPicture("water", 16, 16, kWater);
        const int index = Resources().New<CVKT_Map>("room");
        Map().SetSizeX(16);
        Map().SetSizeY(16);
        ASSERT_EQ(index, 0);
        Panel().Refresh(true);
        Panel().SetCursorItem(0);
        QObject::connect(&document_, &CPlexionDoc::changed, [this] { ++edits_; });
    }
    CVKT_Map& Map() { return *Resources().GetAt<CVKT_Map>(0); }
    CMapDisplay& Display() { return *Panel().Display(); }
    CMapCanvas* Canvas() { return Display().Canvas(); }
    QPoint At(int column, int line) { return Canvas()->CellRect(column, line).center(); }
    void Choose(std::int16_t value) { Display().Palette()->SelectValue(value); }
    // The cells that do not hold `value`.
    std::set<std::pair<int, int>> CellsNotHolding(std::int16_t value) {
        std::set<std::pair<int, int>> cells;
        for (int column = 0; column < Map().Columns(); ++column) {
            for (int line = 0; line < Map().Lines(); ++line) {
                if (Map().GetCell(column, line) != value) {
                    cells.insert({column, line});
                }
            }
        }
        return cells;
    }
    void Wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(QPointF(at), Canvas()->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, notches * 120), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(Canvas(), &wheel);
    }

    int edits_ = 0;
};

TEST_F(MapDisplay, APaletteListsNoneThenEveryBitmap) {
    const QAbstractItemModel* model = Display().Palette()->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data().toString(), "None");
    EXPECT_EQ(model->index(1, 0).data().toString(), "0 - grass");
    EXPECT_EQ(model->index(2, 0).data().toString(), "1 - water");
    EXPECT_EQ(model->index(2, 0).data(Qt::DecorationRole).value<QPixmap>().toImage().pixel(16, 16),
              kWater);
}

TEST_F(MapDisplay, AClickPaintsTheCellAndADoubleClickActsAsOne) {
    Choose(1);
    QTest::mouseClick(Canvas(), Qt::LeftButton, {}, At(3, 4));
    EXPECT_EQ(CellsNotHolding(0), (std::set<std::pair<int, int>>{{3, 4}}));
    EXPECT_EQ(Map().GetCell(3, 4), 1);
    EXPECT_EQ(edits_, 1);
    EXPECT_TRUE(document_.IsModified());
    // The window system ends a double click with a release.
    QTest::mouseDClick(Canvas(), Qt::LeftButton, {}, At(6, 2));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, At(6, 2));
    EXPECT_EQ(Map().GetCell(6, 2), 1);
    EXPECT_EQ(edits_, 2);
    // The picture shows the water where it was painted.
    EXPECT_EQ(Canvas()->grab().toImage().pixel(At(6, 2)), kWater);
}

TEST_F(MapDisplay, AFastDragPaintsEveryCellOnItsLineAsOneChange) {
    Choose(1);
    const QPoint from = At(0, 1);
    const QPoint to = At(9, 6);
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Canvas(), to);
    // Shown, but not written until the button is released.
    EXPECT_EQ(Map().GetCell(9, 6), 0);
    EXPECT_EQ(Canvas()->grab().toImage().pixel(to), kWater);
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, to);
    EXPECT_EQ(edits_, 1);
    const QPointF start = Canvas()->Viewport().ToMap(from);
    const QPointF end = Canvas()->Viewport().ToMap(to);
    std::set<std::pair<int, int>> line;
    for (const map_cells::CCell& cell :
         map_cells::AlongSegment(Map(), start.x(), start.y(), end.x(), end.y())) {
        line.insert({cell.column, cell.line});
    }
    EXPECT_EQ(line.size(), 15U);
    EXPECT_EQ(CellsNotHolding(0), line);
}

TEST_F(MapDisplay, ShiftDragScrollsWithoutPainting) {
    map_size::SetDimensions(Map(), 100, 100);
    Display().Reload(false);
    const QPoint from(100, 100);
    QTest::mousePress(Canvas(), Qt::LeftButton, Qt::ShiftModifier, from);
    QTest::mouseMove(Canvas(), from - QPoint(40, 30));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::ShiftModifier, from - QPoint(40, 30));
    EXPECT_EQ(Canvas()->Viewport().Scroll(), QPointF(40, 30));
    EXPECT_EQ(Display().HorizontalBar()->Position(), 40);
    EXPECT_EQ(Display().VerticalBar()->Position(), 30);
    EXPECT_TRUE(CellsNotHolding(0).empty());
    EXPECT_EQ(edits_, 0);
}

TEST_F(MapDisplay, TheRightButtonPicksTheCellsValue) {
    Map().SetCell(5, 5, 1);
    Map().SetCell(2, 2, -1);
    Choose(0);
    QTest::mouseClick(Canvas(), Qt::RightButton, {}, At(5, 5));
    EXPECT_EQ(Display().Palette()->Value(), 1);
    EXPECT_EQ(Canvas()->PaintValue(), 1);
    QTest::mouseDClick(Canvas(), Qt::RightButton, {}, At(2, 2));
    EXPECT_EQ(Display().Palette()->Value(), -1);
    EXPECT_EQ(Display().Palette()->currentIndex().row(), 0);
    EXPECT_EQ(edits_, 0);
}

TEST_F(MapDisplay, TheHeaderNamesTheCellUnderTheMouseAndTheMap) {
    QTest::mouseMove(Canvas(), At(4, 7));
    EXPECT_EQ(Display().HeaderText(), "4, 7 (10, 10) room");
}

TEST_F(MapDisplay, ShiftControlDragFillsTheRectangleInOneEdit) {
    Choose(1);
    const Qt::KeyboardModifiers both = Qt::ShiftModifier | Qt::ControlModifier;
    QTest::mousePress(Canvas(), Qt::LeftButton, both, At(3, 4));
    QTest::mouseMove(Canvas(), At(1, 2));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, both, At(1, 2));
    std::set<std::pair<int, int>> rectangle;
    for (int column = 1; column <= 3; ++column) {
        for (int line = 2; line <= 4; ++line) {
            rectangle.insert({column, line});
        }
    }
    EXPECT_EQ(CellsNotHolding(0), rectangle);
    EXPECT_EQ(edits_, 1);
}

TEST_F(MapDisplay, NonePaintsEmptyCellsThatShowNoBitmap) {
    Choose(-1);
    QTest::mouseClick(Canvas(), Qt::LeftButton, {}, At(0, 0));
    EXPECT_EQ(Map().GetCell(0, 0), -1);
    const QImage shown = Canvas()->grab().toImage();
    EXPECT_NE(shown.pixel(At(0, 0)), kGrass);
    EXPECT_EQ(shown.pixel(At(1, 0)), kGrass);
}

TEST_F(MapDisplay, TheEditMenuClearsTheMapInOneEdit) {
    const QList<QAction*> entries = EditEntries();
    QStringList labels;
    for (const QAction* entry : entries) {
        labels << entry->text();
        EXPECT_FALSE(entry->statusTip().isEmpty()) << entry->text().toStdString();
    }
    EXPECT_FALSE(labels.contains("Empty"));
    EXPECT_TRUE(labels.contains("&Clear Map"));
    EXPECT_TRUE(labels.contains("&Split Bitmap Into Map..."));
    for (QAction* entry : entries) {
        if (entry->text() == "&Clear Map") {
            Panel().OnEditCommand(nullptr, CResourcePanel::kFirstEditCommand,
                                  entry->data().toInt());
        }
    }
    EXPECT_TRUE(CellsNotHolding(-1).empty());
    EXPECT_EQ(edits_, 1);
}

TEST_F(MapDisplay, ControlWheelZoomsAboutTheMouse) {
    map_size::SetDimensions(Map(), 100, 100);
    Display().Reload(false);
    const QPoint mouse = At(2, 3) + QPoint(3, 1);
    const QPointF under = Canvas()->Viewport().ToMap(mouse);
    Wheel(mouse, 1, Qt::ControlModifier);
    EXPECT_EQ(Canvas()->Viewport().Zoom(), 1.5);
    EXPECT_NEAR(Canvas()->Viewport().ToMap(mouse).x(), under.x(), 1.0);
    EXPECT_NEAR(Canvas()->Viewport().ToMap(mouse).y(), under.y(), 1.0);
    Wheel(mouse, -1, Qt::ControlModifier);
    Wheel(mouse, -1, Qt::ControlModifier);
    EXPECT_EQ(Canvas()->Viewport().Zoom(), 0.75);
    EXPECT_EQ(edits_, 0);
}

TEST_F(MapDisplay, EscapeDropsAStrokeInProgress) {
    Choose(1);
    QTest::mousePress(Canvas(), Qt::LeftButton, {}, At(1, 1));
    QTest::keyClick(Canvas(), Qt::Key_Escape);
    QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, At(1, 1));
    EXPECT_TRUE(CellsNotHolding(0).empty());
    EXPECT_EQ(edits_, 0);
}

TEST_F(MapDisplay, SplitBitmapIntoMapCutsTheBitmapChosenInTheLinkedDialog) {
    AddPicture("town", 40, 20, kWater);
    Panel().Refresh(true);
    test::AnswerModal<CSplitMapDialog>([](CSplitMapDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Split The Bitmap And Create The Corresponding Map");
        dialog->BitmapField()->setCurrentIndex(2);
        dialog->TileWidthField()->setValue(16);
        EXPECT_EQ(dialog->ColumnsField()->value(), 3);
        dialog->LinesField()->setValue(2);
        EXPECT_EQ(dialog->TileHeightField()->value(), 10);
        dialog->accept();
    });
    for (QAction* entry : EditEntries()) {
        if (entry->text() == "&Split Bitmap Into Map...") {
            Panel().OnEditCommand(nullptr, CResourcePanel::kFirstEditCommand,
                                  entry->data().toInt());
        }
    }
    ASSERT_EQ(Resources().Count<CVKT_Map>(), 2);
    const CVKT_Map& town = *Resources().GetAt<CVKT_Map>(1);
    EXPECT_EQ(town.ID(), "town");
    EXPECT_EQ(town.Columns(), 3);
    EXPECT_EQ(town.Lines(), 2);
    EXPECT_EQ(town.SizeX(), 16);
    EXPECT_EQ(town.SizeY(), 10);
    // A whole tile and the one cut by the right edge.
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 5);
    EXPECT_EQ(Resources().GetAt<CVKT_Bitmap>(4)->ID(), "town_1");
    EXPECT_EQ(town.GetCell(0, 1), 3);
    EXPECT_EQ(town.GetCell(2, 1), 4);
    EXPECT_EQ(Panel().GetCursorItem(), 1);
    EXPECT_EQ(edits_, 1);
}

}  // namespace
}  // namespace plexion
