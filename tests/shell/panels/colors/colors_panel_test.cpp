#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <random>

#include "color_conversion.h"
#include "color_item.h"
#include "colors_panel.h"
#include "simple_panel_fixture.h"

namespace plexion {
namespace {

using Column = CColorsPanel::Column;

class ColorsPanel : public test::CSimplePanelTest<CColorsPanel> {
protected:
    int AddColor(const std::string& id, int red, int green, int blue, int alpha = 255) {
        const int index = Resources().New<CVKT_Color>(id);
        CVKT_Color* item = Resources().GetAt<CVKT_Color>(index);
        item->SetColor(CVKT_Color::FromRgb(red, green, blue));
        item->SetAlpha(alpha);
        return index;
    }
    CVKT_Color& Color(int index) { return *Resources().GetAt<CVKT_Color>(index); }
};

TEST_F(ColorsPanel, ListsTheColorsWithTheirSwatchesAndSpecifications) {
    AddColor("dust", 1, 2, 3);
    AddColor("glass", 255, 0, 0, 100);
    Resources().GetAt<CVKT_Color>(1)->SetComments("see through");
    Panel().Refresh(true);

    EXPECT_EQ(Panel().Title(), "Colors");
    EXPECT_FALSE(Panel().AcceptsFiles());
    EXPECT_EQ(Panel().GetColumnCount(), 5);
    EXPECT_EQ(Panel().GetItemCount(), 2);
    EXPECT_EQ(Panel().GetGroup(), Resources().GroupAt(CVKT_Color::kKind));
    const QStringList headers = {"Index", "ID", "Color", "Specifications", "Comments"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(Shown(column, 0), headers[column]);
    }
    EXPECT_EQ(Shown(Column::kIndexColumn, 2), "+1");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "dust");
    EXPECT_EQ(Shown(Column::kColorColumn, 1), "(FF)  01 02 03");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1), "Alpha 255, RGB( 1, 2, 3 )");
    EXPECT_EQ(Shown(Column::kColorColumn, 2), "(64)  FF 00 00");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2), "Alpha 100, RGB( 255, 0, 0 )");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 2), "see through");

    EXPECT_EQ(Cell(Column::kColorColumn, 1).GetType(), GridCellType::Color);
    EXPECT_TRUE(Cell(Column::kColorColumn, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kSpecificationsColumn, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kIndexColumn, 1).GetEditable());
}

TEST_F(ColorsPanel, NewColorsAreCalledNewIdAndNeverHoldA255Component) {
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(Panel().InsertItems());
    }
    ASSERT_EQ(Resources().Count<CVKT_Color>(), 50);
    bool allBlack = true;
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(Color(i).ID(), "New ID");
        EXPECT_EQ(Color(i).Alpha(), 255);
        EXPECT_LT(Color(i).Red(), 255);
        EXPECT_LT(Color(i).Green(), 255);
        EXPECT_LT(Color(i).Blue(), 255);
        EXPECT_EQ(Color(i).Color() >> 24, 0u);
        allBlack = allBlack && Color(i).Color() == 0;
    }
    EXPECT_FALSE(allBlack);
    EXPECT_EQ(Panel().GetCursorItem(), 49);
    EXPECT_EQ(Sheet().RowCount(), 51);
    EXPECT_TRUE(document_.IsModified());
}

TEST(RandomItemColor, DrawsBlueGreenThenRedEachBelow255) {
    std::mt19937 engine(12345);
    std::mt19937 same(12345);
    const std::uint32_t first = RandomItemColor(engine);
    const int blue = static_cast<int>(same() % 255);
    const int green = static_cast<int>(same() % 255);
    const int red = static_cast<int>(same() % 255);
    EXPECT_EQ(first, CVKT_Color::FromRgb(red, green, blue));

    int highest = 0;
    int lowest = 255;
    for (int i = 0; i < 100000; ++i) {
        const std::uint32_t color = RandomItemColor(engine);
        for (const int shift : {0, 8, 16}) {
            const int component = static_cast<int>((color >> shift) & 0xFF);
            highest = std::max(highest, component);
            lowest = std::min(lowest, component);
        }
        ASSERT_EQ(color >> 24, 0u);
    }
    EXPECT_EQ(highest, 254);
    EXPECT_EQ(lowest, 0);
}

TEST_F(ColorsPanel, EditingTheColorStoresColorAndAlphaAndSpellsThemOut) {
    AddColor("a", 10, 20, 30);
    AddColor("b", 0, 0, 0);
    AddColor("c", 0, 0, 0);
    Panel().Refresh(true);
    Panel().SetMarked(2, false, true, false);

    Cell(Column::kColorColumn, 1).SetColor(MakeColor(200, 100, 50), 80);
    NotifyEdited(Column::kColorColumn, 1);
    for (const int item : {0, 2}) {
        EXPECT_EQ(Color(item).Red(), 200);
        EXPECT_EQ(Color(item).Green(), 100);
        EXPECT_EQ(Color(item).Blue(), 50);
        EXPECT_EQ(Color(item).Alpha(), 80);
        EXPECT_EQ(Shown(Column::kSpecificationsColumn, item + 1), "Alpha 80, RGB( 200, 100, 50 )");
    }
    EXPECT_EQ(Shown(Column::kColorColumn, 3), "(50)  C8 64 32");
    EXPECT_EQ(Color(1).Color(), 0u);
    EXPECT_EQ(Color(1).Alpha(), 255);
}

TEST_F(ColorsPanel, CopyingTheColorCellCopiesColorAndAlpha) {
    AddColor("a", 1, 2, 3, 40);
    AddColor("b", 9, 9, 9);
    Panel().Refresh(true);
    const int column = Column::kColorColumn + Panel().FixedColumnCount();
    EXPECT_TRUE(Panel().ApplyCell(column, 2, column, 1));
    EXPECT_EQ(Color(1).Color(), CVKT_Color::FromRgb(1, 2, 3));
    EXPECT_EQ(Color(1).Alpha(), 40);
    EXPECT_EQ(Shown(Column::kColorColumn, 2), "(28)  01 02 03");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2), "Alpha 40, RGB( 1, 2, 3 )");

    const int specifications = Column::kSpecificationsColumn + Panel().FixedColumnCount();
    EXPECT_FALSE(Panel().ApplyCell(specifications, 2, specifications, 1));
    EXPECT_FALSE(Panel().ApplyCell(column, 2, column, 0));
}

TEST_F(ColorsPanel, IdsAndCommentsAreEditedAndCopied) {
    AddColor("a", 1, 2, 3);
    AddColor("b", 1, 2, 3);
    Panel().Refresh(true);
    Panel().SetMarked(1, false, true, false);
    EditCellText(Column::kIdColumn, 1, QStringLiteral("sky"));
    EditCellText(Column::kCommentsColumn, 1, QStringLiteral("blue\nand wide"));
    EXPECT_EQ(Color(0).ID(), "sky");
    EXPECT_EQ(Color(1).ID(), "sky");
    EXPECT_EQ(Color(1).Comments(), "blue\nand wide");
}

TEST_F(ColorsPanel, DeletesAndMovesThroughTheDocument) {
    AddColor("a", 1, 1, 1);
    AddColor("b", 2, 2, 2);
    Panel().Refresh(true);
    EXPECT_TRUE(Panel().DoMoveItem(1, 0));
    EXPECT_EQ(Color(0).ID(), "b");
    EXPECT_TRUE(Panel().DeleteItem(0));
    ASSERT_EQ(Resources().Count<CVKT_Color>(), 1);
    EXPECT_EQ(Color(0).ID(), "a");
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(ColorsPanel, EditMenuHoldsOneDisabledEmptyEntry) {
    QMenu menu;
    EXPECT_TRUE(Panel().AddEditCommands(&menu, CResourcePanel::kFirstEditCommand));
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions().first()->text(), "Empty");
    EXPECT_EQ(menu.actions().first()->statusTip(), "Empty menu");
    EXPECT_FALSE(menu.actions().first()->isEnabled());
}

TEST_F(ColorsPanel, PreviewGivesEachAffectedColorItsBand) {
    AddColor("", 200, 10, 10);
    AddColor("", 10, 200, 10);
    AddColor("", 10, 10, 200);
    Panel().Refresh(true);
    Panel().SetMarked(0, false, true, false);
    Panel().SetMarked(2, false, true, false);
    Panel().SetCursorItem(1);

    const QRect preview(0, 0, 30, 120);
    const QImage image = PreviewImage(preview);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(200, 10, 10));
    EXPECT_EQ(image.pixelColor(29, 39), QColor(200, 10, 10));
    EXPECT_EQ(image.pixelColor(0, 40), QColor(10, 200, 10));
    EXPECT_EQ(image.pixelColor(0, 119), QColor(10, 10, 200));
}

TEST_F(ColorsPanel, PreviewWithoutItemsShowsTheDialogFace) {
    const QImage image = PreviewImage(QRect(0, 0, 40, 40));
    EXPECT_EQ(image.pixelColor(20, 20), InterfaceQColor(InterfaceColor::DialogFace));
}

}  // namespace
}  // namespace plexion
