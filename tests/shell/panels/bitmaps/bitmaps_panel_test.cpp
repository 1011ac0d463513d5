#include <gtest/gtest.h>

#include <QAction>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "bitmaps_panel.h"
#include "graphics_panel_fixture.h"

namespace plexion {
namespace {

using Column = CBitmapsPanel::Column;

class BitmapsPanel : public test::CGraphicsPanelTest<CBitmapsPanel> {};

TEST_F(BitmapsPanel, HeaderNamesTheColumnsInOrder) {
    const std::vector<QString> titles = {
        "Index",           "ID",              "Type",
        "Width",           "Height",          "Offset X",
        "Offset Y",        "Extra Attributes", "Source Filename",
        "Source Nb Bytes", "Used Game Memory", "Specifications",
        "Comments"};
    ASSERT_EQ(Panel().GetColumnCount(), static_cast<int>(titles.size()));
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), titles[column]) << column;
    }
    EXPECT_EQ(Panel().Title(), "Bitmaps");
    EXPECT_TRUE(Panel().AcceptsFiles());
}

TEST_F(BitmapsPanel, CellsShowThePictureAndOnlyTheRightOnesCanBeEdited) {
    AddPicture("first", 10, 10);
    const int hero = AddPicture("hero", 100, 50);
    Picture(hero).SetOffsetX(-3.5);
    Picture(hero).SetOffsetY(7);
    Picture(hero).SetSourceFileName("/pictures/hero.png");
    Picture(hero).SetSourceBytes(std::vector<std::uint8_t>(1234, 1));
    Picture(hero).SetComments("the player");
    Panel().Refresh(true);

    const int row = hero + 1;
    EXPECT_EQ(Shown(Column::kIndex, row), "+1");
    EXPECT_EQ(Shown(Column::kId, row), "hero");
    EXPECT_EQ(Shown(Column::kType, row), "GDI+ Image");
    EXPECT_EQ(Shown(Column::kWidth, row), "+100");
    EXPECT_EQ(Shown(Column::kHeight, row), "+50");
    EXPECT_EQ(Shown(Column::kOffsetX, row), "-3.5");
    EXPECT_EQ(Shown(Column::kOffsetY, row), "+7");
    EXPECT_EQ(Shown(Column::kExtraAttributes, row), "None");
    EXPECT_EQ(Shown(Column::kSourceFilename, row), "/pictures/hero.png");
    EXPECT_EQ(Shown(Column::kSourceNbBytes, row), "+1234");
    EXPECT_EQ(Shown(Column::kUsedGameMemory, row), "+20000");
    EXPECT_EQ(Shown(Column::kSpecifications, row), "32 Bits, 1 Frames");
    EXPECT_EQ(Shown(Column::kComments, row), "the player");
    EXPECT_EQ(Cell(Column::kComments, row).GetType(), GridCellType::MultiLineText);

    const std::vector<int> editable = {Column::kId, Column::kOffsetX, Column::kOffsetY,
                                       Column::kSourceFilename, Column::kComments};
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        const bool expected =
            std::find(editable.begin(), editable.end(), column) != editable.end();
        EXPECT_EQ(Cell(column, row).GetEditable(), expected) << column;
    }
}

TEST_F(BitmapsPanel, AnEmptyBitmapShowsKindZeroAndNoMemory) {
    Resources().New<CVKT_Bitmap>("empty");
    Panel().Refresh(true);
    EXPECT_EQ(Shown(Column::kType, 1), "Empty");
    EXPECT_EQ(Shown(Column::kWidth, 1), "+0");
    EXPECT_EQ(Shown(Column::kUsedGameMemory, 1), "+0");
    EXPECT_EQ(Shown(Column::kSourceNbBytes, 1), "+0");
}

TEST_F(BitmapsPanel, EditingTheIdRenamesAndTellsTheOtherPanels) {
    AddPicture("old", 4, 4);
    Panel().Refresh(true);
    EditCellText(Column::kId, 1, "new name");
    EXPECT_EQ(Picture(0).ID(), "new name");
    EXPECT_EQ(Refreshes(), 1);
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(BitmapsPanel, AnIdEditThatChangesNothingKeepsBytesThatAreNotUtf8) {
    AddPicture(std::string("caf\xe9", 4), 4, 4);
    Panel().Refresh(true);
    EditCellText(Column::kId, 1, Shown(Column::kId, 1));
    EXPECT_EQ(Picture(0).ID(), std::string("caf\xe9", 4));
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ(Refreshes(), 0);
}

TEST_F(BitmapsPanel, EditingAnOffsetEditsEveryMarkedBitmap) {
    for (int i = 0; i < 4; ++i) {
        AddPicture("b" + std::to_string(i), 4, 4);
    }
    Picture(3).SetOffsetX(9);
    Panel().Refresh(true);
    Mark({0, 2});
    EditCellText(Column::kOffsetX, 2, "12.25");
    EXPECT_EQ(Picture(0).OffsetX(), 12.25);
    EXPECT_EQ(Picture(1).OffsetX(), 12.25);
    EXPECT_EQ(Picture(2).OffsetX(), 12.25);
    EXPECT_EQ(Picture(3).OffsetX(), 9.0);
    EXPECT_EQ(Shown(Column::kOffsetX, 1), "+12.25");
    // Offsets move the pictures the animations and maps show; they are told
    // once for the whole edit.
    EXPECT_EQ(Refreshes(), 1);

    // The value already held by the edited row still goes to the marked ones.
    Mark({3});
    EditCellText(Column::kOffsetX, 1, "12.25");
    EXPECT_EQ(Picture(3).OffsetX(), 12.25);
}

TEST_F(BitmapsPanel, CopiesTheEditedRowsTextsToMarkedRows) {
    AddPicture("a", 4, 4);
    AddPicture("b", 4, 4);
    AddPicture("c", 4, 4);
    Panel().Refresh(true);
    Mark({0, 1});
    EditCellText(Column::kComments, 1, "line one\nline two");
    EditCellText(Column::kOffsetY, 1, "-4");
    EXPECT_EQ(Picture(0).Comments(), "line one\nline two");
    EXPECT_EQ(Picture(1).Comments(), "line one\nline two");
    EXPECT_EQ(Picture(2).Comments(), "");
    EXPECT_EQ(Picture(1).OffsetY(), -4.0);
    EXPECT_EQ(Picture(2).OffsetY(), 0.0);
    EXPECT_EQ(Shown(Column::kComments, 2), "line one\nline two");
}

TEST_F(BitmapsPanel, SourceFilenameEditLeavesThePictureAndItsBytes) {
    const int index = AddPicture("p", 8, 6);
    Picture(index).SetSourceFileName("old.png");
    Picture(index).SetSourceBytes(std::vector<std::uint8_t>(77, 3));
    Panel().Refresh(true);
    EditCellText(Column::kSourceFilename, 1, "/elsewhere/new.bmp");
    EXPECT_EQ(Picture(index).SourceFileName(), "/elsewhere/new.bmp");
    EXPECT_EQ(Picture(index).SourceBytes().size(), 77u);
    EXPECT_EQ(Picture(index).DisplayWidth(), 8.0);
    EXPECT_EQ(Shown(Column::kSourceNbBytes, 1), "+77");
}

TEST_F(BitmapsPanel, TheTypeAndTheFiguresCannotBeChanged) {
    AddPicture("p", 8, 6);
    Panel().Refresh(true);
    const int grid = Column::kType + Panel().FixedColumnCount();
    Cell(Column::kType, 1).SetInt(4);
    EXPECT_FALSE(Panel().ApplyCell(grid, 1, grid, 1));
    EXPECT_EQ(Picture(0).GetKind(), CVKT_Bitmap::kKindImage);
    // The grid's edit notification shows the kind again.
    NotifyEdited(Column::kType, 1);

    for (int column : {Column::kWidth, Column::kUsedGameMemory, Column::kSpecifications,
                       Column::kExtraAttributes, Column::kIndex}) {
        EditCellText(column, 1, "5");
    }
    EXPECT_EQ(Picture(0).DisplayWidth(), 8.0);
    EXPECT_EQ(Shown(Column::kType, 1), "GDI+ Image");
    EXPECT_EQ(Shown(Column::kWidth, 1), "+8");
    EXPECT_EQ(Shown(Column::kUsedGameMemory, 1), "+192");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(BitmapsPanel, DeletingAndMovingBitmapsTellTheOtherPanels) {
    AddPicture("a", 4, 4);
    AddPicture("b", 4, 4);
    AddPicture("c", 4, 4);
    Panel().Refresh(true);

    EXPECT_TRUE(Panel().DoMoveItem(0, 2));
    EXPECT_EQ(Picture(2).ID(), "a");
    EXPECT_EQ(host_.refreshes, 0);
    EXPECT_EQ(Refreshes(), 1);
    EXPECT_TRUE(Panel().DoMoveItem(1, 1));
    EXPECT_EQ(Refreshes(), 1);

    EXPECT_TRUE(Panel().DeleteItem(0));
    EXPECT_EQ(Resources().Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(Picture(0).ID(), "c");
    EXPECT_EQ(Refreshes(), 2);
    EXPECT_FALSE(Panel().DeleteItem(5));
    EXPECT_EQ(Refreshes(), 2);
}

TEST_F(BitmapsPanel, DeleteKeyRemovesTheMarkedBitmapsAndTheRowsGo) {
    for (int i = 0; i < 4; ++i) {
        AddPicture("b" + std::to_string(i), 4, 4);
    }
    Panel().Refresh(true);
    Mark({1, 3});
    Panel().SetCursorItem(0);
    Panel().DeleteItems();
    EXPECT_EQ(Refreshes(), 1);
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 1);
    EXPECT_EQ(Picture(0).ID(), "b2");
    EXPECT_EQ(Panel().GetRowCount(), 1);
    EXPECT_EQ(Shown(Column::kId, 1), "b2");
}

TEST_F(BitmapsPanel, PreviewDrawsTheCursorBitmapAtItsOffsetsFromTheOrigin) {
    AddPicture("blue", 5, 4, qRgb(0, 0, 255));
    Picture(0).SetOffsetX(10);
    Picture(0).SetOffsetY(-20);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const QRect preview(20, 30, 300, 200);
    const QImage image = PreviewImage(preview);
    const QPoint origin = preview.topLeft() + QPoint(CBitmapsPanel::kPreviewOrigin,
                                                     CBitmapsPanel::kPreviewOrigin);
    EXPECT_EQ(image.pixel(origin + QPoint(10, -20)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(origin + QPoint(14, -17)), qRgb(0, 0, 255));
    EXPECT_NE(image.pixel(origin + QPoint(15, -17)), qRgb(0, 0, 255));
    // Nothing is drawn outside the preview rectangle.
    EXPECT_EQ(image.pixel(preview.left() - 1, preview.top()), qRgb(255, 0, 255));
}

TEST_F(BitmapsPanel, PreviewOfAnEmptyGroupIsTheDialogFace) {
    const QRect preview(0, 0, 50, 40);
    const QImage image = PreviewImage(preview);
    const QColor face = QColor(image.pixel(25, 20));
    EXPECT_EQ(image.pixel(0, 0), image.pixel(49, 39));
    EXPECT_NE(face, QColor(Qt::magenta));
}

}  // namespace
}  // namespace plexion
