#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "graphics_panel_fixture.h"
#include "map_item.h"
#include "map_resize.h"
#include "maps_panel.h"
#include "resource_container.h"

namespace plexion {
namespace {

using Column = CMapsPanel::Column;

class MapsPanel : public test::CGraphicsPanelTest<CMapsPanel> {
protected:
    int AddMap(const std::string& id) { return Resources().New<CVKT_Map>(id); }
    CVKT_Map& Map(int index) { return *Resources().GetAt<CVKT_Map>(index); }
    // Cell (c, l) holds c * 100 + l.
    void Number(CVKT_Map& map) {
        for (int column = 0; column < map.Columns(); ++column) {
            for (int line = 0; line < map.Lines(); ++line) {
                map.SetCell(column, line, static_cast<std::int16_t>(column * 100 + line));
            }
        }
    }
};

TEST_F(MapsPanel, HeaderAndCellsOfANewMap) {
    const std::vector<QString> titles = {"Index",    "ID",     "Type",   "Nb Columns",
                                         "Nb Lines", "Size X", "Size Y", "Specifications",
                                         "Comments"};
    ASSERT_EQ(Panel().GetColumnCount(), static_cast<int>(titles.size()));
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), titles[column]);
    }
    EXPECT_EQ(Panel().Title(), "Maps");

    EXPECT_TRUE(Panel().InsertItems());
    ASSERT_EQ(Resources().Count<CVKT_Map>(), 1);
    EXPECT_EQ(Map(0).ID(), "New ID");
    EXPECT_EQ(Shown(Column::kId, 1), "New ID");
    EXPECT_EQ(Shown(Column::kType, 1), "Bitmaps");
    EXPECT_EQ(Shown(Column::kNbColumns, 1), "+10");
    EXPECT_EQ(Shown(Column::kNbLines, 1), "+10");
    EXPECT_EQ(Shown(Column::kSizeX, 1), "+32");
    EXPECT_EQ(Shown(Column::kSizeY, 1), "+32");
    EXPECT_EQ(Shown(Column::kSpecifications, 1), "");
    EXPECT_EQ(*Cell(Column::kType, 1).GetList(), QStringList({"Bitmaps", "Not Valid"}));
    for (int column : {Column::kId, Column::kType, Column::kNbColumns, Column::kNbLines,
                       Column::kSizeX, Column::kSizeY, Column::kComments}) {
        EXPECT_TRUE(Cell(column, 1).GetEditable()) << column;
    }
    EXPECT_FALSE(Cell(Column::kSpecifications, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kIndex, 1).GetEditable());
}

TEST_F(MapsPanel, GrowingAMapAsksNothing) {
    Number(Map(AddMap("m")));
    Panel().Refresh(true);
    EditCellText(Column::kNbColumns, 1, "12");
    EXPECT_EQ(Map(0).Columns(), 12);
    EXPECT_EQ(Map(0).Lines(), 10);
    EXPECT_EQ(Map(0).GetCell(9, 9), 909);
    EXPECT_EQ(Map(0).GetCell(11, 9), 0);
    EXPECT_EQ(Shown(Column::kNbColumns, 1), "+12");
    // The same size again asks nothing and changes nothing.
    document_.History().Stack().setClean();
    EditCellText(Column::kNbLines, 1, "10");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(MapsPanel, ShrinkingAnsweredNoLeavesTheMap) {
    Number(Map(AddMap("m")));
    Panel().Refresh(true);
    AnswerMessage(QMessageBox::No);
    EditCellText(Column::kNbLines, 1, "8");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0], map_size::kReductionQuestion);
    EXPECT_EQ(Map(0).Lines(), 10);
    EXPECT_EQ(Map(0).GetCell(3, 9), 309);
    EXPECT_EQ(Shown(Column::kNbLines, 1), "+10");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(MapsPanel, ShrinkingAnsweredYesKeepsTheUpperLeftCells) {
    Number(Map(AddMap("m")));
    Panel().Refresh(true);
    AnswerMessage(QMessageBox::Yes);
    EditCellText(Column::kNbLines, 1, "8");
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(Map(0).Lines(), 8);
    EXPECT_EQ(Map(0).Columns(), 10);
    EXPECT_EQ(Map(0).GetCell(9, 7), 907);
    EXPECT_EQ(Shown(Column::kNbLines, 1), "+8");
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(MapsPanel, TheUserTypesASmallerSizeAndConfirms) {
    Number(Map(AddMap("m")));
    Panel().Refresh(true);
    test::AnswerEditValue("3");
    AnswerMessage(QMessageBox::Yes);
    test::EditWithReturn(Panel(), Column::kNbColumns, 1);
    EXPECT_EQ(messages_, QStringList({map_size::kReductionQuestion}));
    EXPECT_EQ(Map(0).Columns(), 3);
    EXPECT_EQ(Map(0).GetCell(2, 9), 209);
    EXPECT_EQ(Shown(Column::kNbColumns, 1), "+3");
}

TEST_F(MapsPanel, ACopiedSizeAsksForEachMapItWouldShrink) {
    AddMap("a");
    AddMap("b");
    AddMap("c");
    Map(1).InsertColumn(10);
    Map(1).InsertColumn(10);
    Panel().Refresh(true);
    Mark({1, 2});
    // a goes from 10 to 11 columns without a question, b from 12 to 11 only
    // after Yes, c grows again without one.
    AnswerMessage(QMessageBox::Yes);
    EditCellText(Column::kNbColumns, 1, "11");
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(Map(0).Columns(), 11);
    EXPECT_EQ(Map(1).Columns(), 11);
    EXPECT_EQ(Map(2).Columns(), 11);
    EXPECT_EQ(Shown(Column::kNbColumns, 2), "+11");
}

TEST_F(MapsPanel, ImpossibleSizesAreRefusedWithAMessage) {
    AddMap("m");
    Panel().Refresh(true);
    AnswerMessage();
    EditCellText(Column::kNbColumns, 1, "-1");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(Map(0).Columns(), 10);
    EXPECT_EQ(Shown(Column::kNbColumns, 1), "+10");

    AnswerMessage();
    EditCellText(Column::kNbLines, 1, "2000000");
    EXPECT_EQ(messages_.size(), 2);
    EXPECT_EQ(Map(0).Lines(), 10);
}

// A number of columns that reads as 0 (typed "abc") is refused: a map of
// 0 columns would be saved without its cells and sizes. A map without cells
// (a file may hold one) grows a line with its columns. After each edit the
// file reads back as the grid shows it.
TEST_F(MapsPanel, ZeroColumnsAreRefusedAndTheMapsReadBackAsShown) {
    AddMap("m");
    Map(AddMap("empty")).Clear();
    Panel().Refresh(true);
    EditCellText(Column::kSizeX, 1, "48");
    AnswerMessage();
    EditCellText(Column::kNbColumns, 1, "abc");
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(Shown(Column::kNbColumns, 1), "+10");
    EditCellText(Column::kNbColumns, 2, "5");
    EXPECT_EQ(Shown(Column::kNbColumns, 2), "+5");
    EXPECT_EQ(Shown(Column::kNbLines, 2), "+1");

    QTemporaryDir folder;
    const std::string path = QFile::encodeName(folder.filePath("maps.dat")).toStdString();
    ASSERT_TRUE(Resources().Save(path));
    CVKT_ResourceContainer loaded;
    ASSERT_TRUE(loaded.Load(path));
    for (int row = 1; row <= 2; ++row) {
        const CVKT_Map* map = loaded.GetAt<CVKT_Map>(row - 1);
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(QString::asprintf("%+d", map->Columns()), Shown(Column::kNbColumns, row));
        EXPECT_EQ(QString::asprintf("%+d", map->Lines()), Shown(Column::kNbLines, row));
        EXPECT_EQ(QString::asprintf("%+d", map->SizeX()), Shown(Column::kSizeX, row));
        EXPECT_EQ(QString::asprintf("%+d", map->SizeY()), Shown(Column::kSizeY, row));
    }
}

TEST_F(MapsPanel, CellSizesBelowOneAreRefused) {
    AddMap("a");
    AddMap("b");
    Panel().Refresh(true);
    Mark({1});
    EditCellText(Column::kSizeX, 1, "16");
    EXPECT_EQ(Map(0).SizeX(), 16);
    EXPECT_EQ(Map(1).SizeX(), 16);
    EXPECT_EQ(Map(1).SizeY(), 32);

    QString shownWhileRefused;
    test::AnswerModal<QMessageBox>([&](QMessageBox* box) {
        messages_ << box->text();
        shownWhileRefused = Shown(Column::kSizeY, 1);
        box->accept();
    });
    EditCellText(Column::kSizeY, 1, "0");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0], CMapsPanel::kCellSizeRefused);
    EXPECT_EQ(shownWhileRefused, "+32");
    EXPECT_EQ(Map(0).SizeY(), 32);
    EXPECT_EQ(Map(1).SizeY(), 32);
    EXPECT_EQ(Shown(Column::kSizeY, 1), "+32");
}

TEST_F(MapsPanel, TheTypeIsChosenFromTheList) {
    AddMap("a");
    AddMap("b");
    Map(1).SetType(7);
    Panel().Refresh(true);
    EXPECT_EQ(Shown(Column::kType, 2), "Not Valid");
    Cell(Column::kType, 1).SetInt(1);
    NotifyEdited(Column::kType, 1);
    EXPECT_EQ(Map(0).Type(), 1);
    EXPECT_EQ(Shown(Column::kType, 1), "Not Valid");

    // "Not Valid" keeps the invalid type a map has; a copy takes the exact one.
    Cell(Column::kType, 2).SetInt(1);
    NotifyEdited(Column::kType, 2);
    EXPECT_EQ(Map(1).Type(), 7);
    Mark({0});
    Cell(Column::kType, 2).SetInt(1);
    NotifyEdited(Column::kType, 2);
    EXPECT_EQ(Map(0).Type(), 7);

    Cell(Column::kType, 1).SetInt(0);
    NotifyEdited(Column::kType, 1);
    EXPECT_EQ(Map(0).Type(), 0);
    EXPECT_EQ(Map(1).Type(), 7);
}

TEST_F(MapsPanel, DeleteAndMove) {
    AddMap("a");
    AddMap("b");
    Panel().Refresh(true);
    EXPECT_TRUE(Panel().DoMoveItem(0, 1));
    EXPECT_EQ(Map(0).ID(), "b");
    EXPECT_TRUE(Panel().DeleteItem(0));
    ASSERT_EQ(Resources().Count<CVKT_Map>(), 1);
    EXPECT_EQ(Map(0).ID(), "a");
    // Each is one change the document announces; the panel asks nothing of
    // the view.
    EXPECT_EQ(Refreshes(), 2);
    EXPECT_EQ(host_.refreshes, 0);
}

TEST_F(MapsPanel, TheEditMenuHoldsTheMapCommandsInsteadOfEmpty) {
    QStringList labels;
    for (const QAction* entry : EditEntries()) {
        labels << entry->text();
        EXPECT_FALSE(entry->statusTip().isEmpty()) << entry->text().toStdString();
        // Without maps or bitmaps only the display's view entries work.
        EXPECT_EQ(entry->isEnabled(), !entry->text().contains("Map"))
            << entry->text().toStdString();
    }
    EXPECT_EQ(labels, QStringList({"&Clear Map", "Show &Grid Lines", "Zoom &In\t+", "Zoom &Out\t-",
                                   "&Actual Size", "&Split Bitmap Into Map..."}));
}

TEST_F(MapsPanel, PreviewDrawsTheCursorMapFromTheCorner) {
    AddPicture("red", 4, 4, qRgb(255, 0, 0));
    AddPicture("blue", 4, 4, qRgb(0, 0, 255));
    const int index = AddMap("m");
    CVKT_Map& map = Map(index);
    map.SetSizeX(8);
    map.SetSizeY(8);
    map.SetCell(0, 0, 1);
    map.SetCell(1, 0, -1);
    map.SetCell(2, 1, 0);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const QRect preview(30, 20, 100, 100);
    const QImage image = PreviewImage(preview);
    const QPoint corner = preview.topLeft();
    EXPECT_EQ(image.pixel(corner + QPoint(7, 7)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(corner + QPoint(16 + 3, 8 + 3)), qRgb(255, 0, 0));
    // Bitmap 0 fills cell (0, 1) too; the empty cell shows the face.
    EXPECT_EQ(image.pixel(corner + QPoint(3, 11)), qRgb(255, 0, 0));
    const QRgb face = image.pixel(corner + QPoint(95, 95));
    EXPECT_EQ(image.pixel(corner + QPoint(11, 3)), face);
}

TEST_F(MapsPanel, BrokenReferencesNameTheMapAndTheCell) {
    AddPicture("p0", 2, 2);
    AddPicture("p1", 2, 2);
    const int fine = AddMap("fine");
    Map(fine).SetCell(4, 4, 1);
    Map(fine).SetCell(5, 5, -1);
    QString message;
    EXPECT_EQ(Panel().FindBrokenReference(message), -1);

    const int bad = AddMap("bad");
    Map(bad).SetCell(3, 7, 2);
    EXPECT_EQ(Panel().FindBrokenReference(message), bad);
    EXPECT_TRUE(message.contains("\"bad\"")) << message.toStdString();
    EXPECT_TRUE(message.contains("column 3, line 7"));
    EXPECT_TRUE(message.contains("bitmap 2"));

    // A map that does not show bitmaps refers to none.
    Map(bad).SetType(1);
    EXPECT_EQ(Panel().FindBrokenReference(message), -1);
}

TEST_F(MapsPanel, TheIntegrityCheckPointsAtTheBrokenMap) {
    AddPicture("p0", 2, 2);
    AddMap("fine");
    Map(AddMap("bad")).SetCell(0, 9, 1);
    AddMap("after");
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    AnswerMessage();
    EXPECT_FALSE(Panel().CheckIntegrity());
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("column 0, line 9")) << messages_[0].toStdString();
    EXPECT_EQ(Panel().GetCursorItem(), 1);
}

}  // namespace
}  // namespace plexion
