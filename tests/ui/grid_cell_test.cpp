#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "grid_cell.h"
#include "grid_sheet.h"

namespace plexion::test {
namespace {

constexpr ColorRef kRed = MakeColor(255, 0, 0);
constexpr ColorRef kWhite = MakeColor(255, 255, 255);

CGridCell Make(GridCellType type) {
    CGridCell cell;
    cell.SetType(type);
    return cell;
}

CGridCell Text(const QString& text) {
    CGridCell cell = Make(GridCellType::Text);
    cell.SetText(text);
    return cell;
}

CGridCell Integer(std::int32_t value) {
    CGridCell cell = Make(GridCellType::Integer);
    cell.SetInt(value);
    return cell;
}

CGridCell Real(double value) {
    CGridCell cell = Make(GridCellType::Real);
    cell.SetDouble(value);
    return cell;
}

CGridCell YesNo(bool value) {
    CGridCell cell = Make(GridCellType::YesNo);
    cell.SetBool(value);
    return cell;
}

CGridCell Color(ColorRef color, std::uint8_t alpha = 255) {
    CGridCell cell = Make(GridCellType::Color);
    cell.SetColor(color, alpha);
    return cell;
}

const QStringList kFruits{"Apple", "Pear", "Plum"};

CGridCell Choice(std::int32_t index, const QStringList* list = &kFruits) {
    CGridCell cell = Make(GridCellType::ListChoice);
    cell.SetList(list, index);
    return cell;
}

// ---- construction and types ----------------------------------------------

TEST(GridCellType, ANewCellIsEmptyAndNotEditable) {
    CGridCell cell;
    EXPECT_EQ(cell.GetType(), GridCellType::Empty);
    EXPECT_FALSE(cell.GetEditable());
    EXPECT_EQ(cell.GetHighlight(), 0);
    EXPECT_EQ(cell.GetText(), "");
}

TEST(GridCellType, EachTypeStartsWithItsInitialValue) {
    EXPECT_EQ(Make(GridCellType::Text).GetText(), "");
    EXPECT_EQ(Make(GridCellType::MultiLineText).GetText(), "");
    EXPECT_EQ(Make(GridCellType::Integer).GetText(), "+0");
    EXPECT_EQ(Make(GridCellType::Real).GetText(), "+0");
    EXPECT_EQ(Make(GridCellType::YesNo).GetText(), "No");
    EXPECT_EQ(Make(GridCellType::Color).GetText(), "(FF)  00 00 00");
    EXPECT_EQ(Make(GridCellType::Color).GetColor(), (CGridColor{0, 255}));
    EXPECT_EQ(Make(GridCellType::ColumnNumber).GetInt(), 0);
    EXPECT_EQ(Make(GridCellType::RowNumber).GetInt(), 0);
    EXPECT_EQ(Make(GridCellType::ListChoice).GetInt(), 0);
    EXPECT_EQ(Make(GridCellType::ListChoice).GetList(), nullptr);
}

TEST(GridCellType, ChangingTheTypeReplacesTheValue) {
    CGridCell cell = Text("42");
    cell.SetType(GridCellType::Integer);
    EXPECT_EQ(cell.GetInt(), 0);
    cell.SetInt(7);
    cell.SetType(GridCellType::YesNo);
    EXPECT_FALSE(cell.GetBool());
    cell.SetType(GridCellType::Text);
    EXPECT_EQ(cell.GetText(), "");
}

TEST(GridCellType, SettingTheSameTypeKeepsTheValue) {
    CGridCell cell = Integer(9);
    cell.SetType(GridCellType::Integer);
    EXPECT_EQ(cell.GetInt(), 9);
}

TEST(GridCellType, EditableAndHighlightAreKeptAcrossTypeChanges) {
    CGridCell cell = Integer(1);
    cell.SetEditable(true);
    cell.SetHighlight(2);
    cell.SetType(GridCellType::Real);
    EXPECT_TRUE(cell.GetEditable());
    EXPECT_EQ(cell.GetHighlight(), 2);
}

// ---- GetInt ----------------------------------------------------------------

TEST(GridCellGetInt, ReadsEveryType) {
    EXPECT_EQ(Text("12abc").GetInt(), 12);
    EXPECT_EQ(Text("abc").GetInt(), 0);
    EXPECT_EQ(Integer(-4).GetInt(), -4);
    EXPECT_EQ(Real(2.9).GetInt(), 2);
    EXPECT_EQ(Real(-2.9).GetInt(), -2);
    EXPECT_EQ(YesNo(true).GetInt(), 1);
    EXPECT_EQ(YesNo(false).GetInt(), 0);
    EXPECT_EQ(Color(MakeColor(1, 2, 3)).GetInt(), 0x030201);
    EXPECT_EQ(Choice(2).GetInt(), 2);
    EXPECT_EQ(CGridCell().GetInt(), 0);
}

TEST(GridCellGetInt, AHugeRealSaturates) {
    EXPECT_EQ(Real(1e20).GetInt(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Real(-1e20).GetInt(), std::numeric_limits<std::int32_t>::min());
}

// ---- GetDouble -------------------------------------------------------------

TEST(GridCellGetDouble, ReadsEveryType) {
    EXPECT_DOUBLE_EQ(Text("2.5 m").GetDouble(), 2.5);
    EXPECT_DOUBLE_EQ(Text("m").GetDouble(), 0.0);
    EXPECT_DOUBLE_EQ(Integer(-3).GetDouble(), -3.0);
    EXPECT_DOUBLE_EQ(Real(0.25).GetDouble(), 0.25);
    EXPECT_DOUBLE_EQ(YesNo(true).GetDouble(), 1.0);
    EXPECT_DOUBLE_EQ(YesNo(false).GetDouble(), 0.0);
    EXPECT_DOUBLE_EQ(Color(kRed).GetDouble(), 255.0);
    EXPECT_DOUBLE_EQ(Choice(1).GetDouble(), 1.0);
    EXPECT_DOUBLE_EQ(CGridCell().GetDouble(), 0.0);
}

// ---- GetBool ---------------------------------------------------------------

TEST(GridCellGetBool, TextIsNoOnlyWhenItStartsWithN) {
    EXPECT_FALSE(Text("No").GetBool());
    EXPECT_FALSE(Text("nope").GetBool());
    EXPECT_TRUE(Text("Yes").GetBool());
    EXPECT_TRUE(Text("").GetBool());
    EXPECT_TRUE(Text(" no").GetBool());
}

TEST(GridCellGetBool, NumbersAreYesAbovezeroAndOthersWhenNotZero) {
    EXPECT_TRUE(Integer(1).GetBool());
    EXPECT_FALSE(Integer(0).GetBool());
    EXPECT_FALSE(Integer(-1).GetBool());
    EXPECT_TRUE(Real(0.1).GetBool());
    EXPECT_FALSE(Real(-0.1).GetBool());
    EXPECT_TRUE(YesNo(true).GetBool());
    EXPECT_TRUE(Color(kRed).GetBool());
    EXPECT_FALSE(Color(0).GetBool());
    EXPECT_TRUE(Choice(2).GetBool());
    EXPECT_FALSE(Choice(0).GetBool());
    EXPECT_FALSE(CGridCell().GetBool());
}

// ---- SetInt ----------------------------------------------------------------

TEST(GridCellSetInt, WritesEveryType) {
    CGridCell text = Make(GridCellType::Text);
    EXPECT_TRUE(text.SetInt(5));
    EXPECT_EQ(text.GetText(), "+5");
    CGridCell real = Make(GridCellType::Real);
    EXPECT_TRUE(real.SetInt(-3));
    EXPECT_DOUBLE_EQ(real.GetDouble(), -3.0);
    CGridCell yes = Make(GridCellType::YesNo);
    EXPECT_TRUE(yes.SetInt(2));
    EXPECT_TRUE(yes.GetBool());
    EXPECT_TRUE(yes.SetInt(-2));
    EXPECT_FALSE(yes.GetBool());
    CGridCell color = Color(0, 0x40);
    EXPECT_TRUE(color.SetInt(0x0000FF));
    EXPECT_EQ(color.GetColor(), (CGridColor{kRed, 0x40}));
    CGridCell choice = Choice(0);
    EXPECT_TRUE(choice.SetInt(2));
    EXPECT_EQ(choice.GetText(), "Plum");
    for (GridCellType type :
         {GridCellType::Integer, GridCellType::ColumnNumber, GridCellType::RowNumber}) {
        CGridCell number = Make(type);
        EXPECT_TRUE(number.SetInt(-8));
        EXPECT_EQ(number.GetInt(), -8);
    }
}

TEST(GridCellSetInt, AColourKeepsTwentyFourBits) {
    CGridCell color = Make(GridCellType::Color);
    EXPECT_TRUE(color.SetInt(-1));
    EXPECT_EQ(color.GetColor()->color, 0xFFFFFFu);
}

TEST(GridCellSetInt, FailsOnAnEmptyCell) {
    CGridCell cell;
    EXPECT_FALSE(cell.SetInt(3));
    EXPECT_EQ(cell.GetType(), GridCellType::Empty);
}

// ---- SetDouble -------------------------------------------------------------

TEST(GridCellSetDouble, WritesEveryType) {
    CGridCell text = Make(GridCellType::Text);
    EXPECT_TRUE(text.SetDouble(0.5));
    EXPECT_EQ(text.GetText(), "+0.5");
    CGridCell integer = Make(GridCellType::Integer);
    EXPECT_TRUE(integer.SetDouble(-2.7));
    EXPECT_EQ(integer.GetInt(), -2);
    CGridCell real = Make(GridCellType::Real);
    EXPECT_TRUE(real.SetDouble(1.5));
    EXPECT_DOUBLE_EQ(real.GetDouble(), 1.5);
    CGridCell yes = Make(GridCellType::YesNo);
    EXPECT_TRUE(yes.SetDouble(0.1));
    EXPECT_TRUE(yes.GetBool());
    EXPECT_TRUE(yes.SetDouble(0.0));
    EXPECT_FALSE(yes.GetBool());
    CGridCell color = Color(0, 7);
    EXPECT_TRUE(color.SetDouble(255.9));
    EXPECT_EQ(color.GetColor(), (CGridColor{kRed, 7}));
    CGridCell choice = Choice(0);
    EXPECT_TRUE(choice.SetDouble(1.9));
    EXPECT_EQ(choice.GetInt(), 1);
    CGridCell row = Make(GridCellType::RowNumber);
    EXPECT_TRUE(row.SetDouble(3.5));
    EXPECT_EQ(row.GetInt(), 3);
    CGridCell empty;
    EXPECT_FALSE(empty.SetDouble(1.0));
}

TEST(GridCellSetDouble, ValuesNoIntegerCanHoldSaturate) {
    CGridCell integer = Make(GridCellType::Integer);
    integer.SetDouble(1e30);
    EXPECT_EQ(integer.GetInt(), std::numeric_limits<std::int32_t>::max());
    integer.SetDouble(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(integer.GetInt(), 0);
}

// ---- SetBool ---------------------------------------------------------------

TEST(GridCellSetBool, WritesEveryType) {
    CGridCell text = Make(GridCellType::Text);
    EXPECT_TRUE(text.SetBool(true));
    EXPECT_EQ(text.GetText(), "Yes");
    EXPECT_TRUE(text.SetBool(false));
    EXPECT_EQ(text.GetText(), "No");
    CGridCell integer = Integer(9);
    EXPECT_TRUE(integer.SetBool(true));
    EXPECT_EQ(integer.GetInt(), 1);
    EXPECT_TRUE(integer.SetBool(false));
    EXPECT_EQ(integer.GetInt(), 0);
    CGridCell real = Real(9);
    EXPECT_TRUE(real.SetBool(true));
    EXPECT_DOUBLE_EQ(real.GetDouble(), 1.0);
    CGridCell yes = Make(GridCellType::YesNo);
    EXPECT_TRUE(yes.SetBool(true));
    EXPECT_EQ(yes.GetText(), "Yes");
    CGridCell choice = Choice(2);
    EXPECT_TRUE(choice.SetBool(true));
    EXPECT_EQ(choice.GetInt(), 1);
    EXPECT_TRUE(choice.SetBool(false));
    EXPECT_EQ(choice.GetInt(), 0);
    CGridCell empty;
    EXPECT_FALSE(empty.SetBool(true));
}

TEST(GridCellSetBool, AColourBecomesWhiteOrBlackAndKeepsItsAlpha) {
    CGridCell color = Color(kRed, 0x80);
    EXPECT_TRUE(color.SetBool(true));
    EXPECT_EQ(color.GetColor(), (CGridColor{kWhite, 0x80}));
    EXPECT_TRUE(color.SetBool(false));
    EXPECT_EQ(color.GetColor(), (CGridColor{0, 0x80}));
}

// ---- SetColor --------------------------------------------------------------

TEST(GridCellSetColor, WritesEveryTypeButAListChoice) {
    CGridCell text = Make(GridCellType::Text);
    EXPECT_TRUE(text.SetColor(kRed));
    EXPECT_EQ(text.GetText(), "000000FF");
    CGridCell integer = Make(GridCellType::Integer);
    EXPECT_TRUE(integer.SetColor(MakeColor(0, 0, 1)));
    EXPECT_EQ(integer.GetInt(), 0x010000);
    CGridCell real = Make(GridCellType::Real);
    EXPECT_TRUE(real.SetColor(kRed));
    EXPECT_DOUBLE_EQ(real.GetDouble(), 255.0);
    CGridCell yes = Make(GridCellType::YesNo);
    EXPECT_TRUE(yes.SetColor(kRed));
    EXPECT_TRUE(yes.GetBool());
    EXPECT_TRUE(yes.SetColor(0));
    EXPECT_FALSE(yes.GetBool());
    CGridCell color = Make(GridCellType::Color);
    EXPECT_TRUE(color.SetColor(kRed, 0x10));
    EXPECT_EQ(color.GetColor(), (CGridColor{kRed, 0x10}));
}

TEST(GridCellSetColor, FailsOnAListChoiceAndAnEmptyCell) {
    CGridCell choice = Choice(1);
    EXPECT_FALSE(choice.SetColor(kRed));
    EXPECT_EQ(choice.GetInt(), 1);
    CGridCell empty;
    EXPECT_FALSE(empty.SetColor(kRed));
}

TEST(GridCellSetColor, OnlyColourCellsHaveAColour) {
    EXPECT_FALSE(Integer(5).GetColor().has_value());
    EXPECT_FALSE(Text("x").GetColor().has_value());
}

// ---- SetText ---------------------------------------------------------------

TEST(GridCellSetText, WritesEveryType) {
    CGridCell text = Make(GridCellType::MultiLineText);
    EXPECT_TRUE(text.SetText("a\nb"));
    EXPECT_EQ(text.GetText(), "a\nb");
    CGridCell integer = Make(GridCellType::Integer);
    EXPECT_TRUE(integer.SetText("-12 pixels"));
    EXPECT_EQ(integer.GetInt(), -12);
    EXPECT_TRUE(integer.SetText("pixels"));
    EXPECT_EQ(integer.GetInt(), 0);
    CGridCell real = Make(GridCellType::Real);
    EXPECT_TRUE(real.SetText("1.25x"));
    EXPECT_DOUBLE_EQ(real.GetDouble(), 1.25);
    CGridCell column = Make(GridCellType::ColumnNumber);
    EXPECT_TRUE(column.SetText("4"));
    EXPECT_EQ(column.GetInt(), 4);
    CGridCell color = Color(0, 0x33);
    EXPECT_TRUE(color.SetText("255"));
    EXPECT_EQ(color.GetColor(), (CGridColor{kRed, 0x33}));
    CGridCell empty;
    EXPECT_FALSE(empty.SetText("x"));
    EXPECT_EQ(empty.GetText(), "");
}

TEST(GridCellSetText, AYesNoCellIsNoOnlyForTextStartingWithN) {
    CGridCell cell = Make(GridCellType::YesNo);
    EXPECT_TRUE(cell.SetText("Yes"));
    EXPECT_TRUE(cell.GetBool());
    EXPECT_TRUE(cell.SetText("Never"));
    EXPECT_FALSE(cell.GetBool());
    EXPECT_TRUE(cell.SetText("x"));
    EXPECT_TRUE(cell.GetBool());
    EXPECT_TRUE(cell.SetText("no"));
    EXPECT_FALSE(cell.GetBool());
    EXPECT_TRUE(cell.SetText(""));
    EXPECT_TRUE(cell.GetBool());
}

TEST(GridCellSetText, AListChoiceTakesOnlyTheExactNameOfAnEntry) {
    const QStringList list{"Loop", "Once", "Once"};
    CGridCell cell = Choice(0, &list);
    EXPECT_TRUE(cell.SetText("Once"));
    EXPECT_EQ(cell.GetInt(), 1);
    EXPECT_FALSE(cell.SetText("once"));
    EXPECT_FALSE(cell.SetText("Once "));
    EXPECT_EQ(cell.GetInt(), 1);
}

TEST(GridCellSetText, AListChoiceWithoutAListRefusesEveryText) {
    CGridCell cell = Make(GridCellType::ListChoice);
    EXPECT_FALSE(cell.SetText(""));
    EXPECT_FALSE(cell.SetText("Apple"));
}

// ---- list references ---------------------------------------------------------

TEST(GridCellList, OnlyAListChoiceTakesAList) {
    CGridCell text = Make(GridCellType::Text);
    EXPECT_FALSE(text.SetList(&kFruits, 1));
    EXPECT_EQ(text.GetList(), nullptr);
    CGridCell choice = Choice(1);
    EXPECT_EQ(choice.GetList(), &kFruits);
    EXPECT_EQ(choice.GetText(), "Pear");
}

TEST(GridCellList, AnIndexOutsideTheListShowsNothing) {
    EXPECT_EQ(Choice(3).GetText(), "");
    EXPECT_EQ(Choice(-1).GetText(), "");
    EXPECT_EQ(Choice(0, nullptr).GetText(), "");
}

// ---- display texts ---------------------------------------------------------

TEST(GridCellText, NumbersAlwaysShowTheirSign) {
    EXPECT_EQ(Integer(5).GetText(), "+5");
    EXPECT_EQ(Integer(-5).GetText(), "-5");
    EXPECT_EQ(Integer(0).GetText(), "+0");
    EXPECT_EQ(Real(0.5).GetText(), "+0.5");
    EXPECT_EQ(Real(-1234567.0).GetText(), "-1.23457e+06");
}

TEST(GridCellText, AnIntegerEditedToItsOwnTextKeepsItsValue) {
    CGridCell cell = Integer(5);
    EXPECT_TRUE(cell.SetText(cell.GetText()));
    EXPECT_EQ(cell.GetInt(), 5);
    EXPECT_TRUE(cell.SetText("5"));
    EXPECT_EQ(cell.GetInt(), 5);
}

TEST(GridCellText, AColourShowsAlphaThenRedGreenBlueInHexadecimal) {
    EXPECT_EQ(Color(kRed, 255).GetText(), "(FF)  FF 00 00");
    EXPECT_EQ(Color(MakeColor(0x0A, 0xB0, 0x0C), 0x05).GetText(), "(05)  0A B0 0C");
}

TEST(GridCellText, ARealSurvivesItsOwnText) {
    CGridCell cell = Real(-0.125);
    EXPECT_TRUE(cell.SetText(cell.GetText()));
    EXPECT_DOUBLE_EQ(cell.GetDouble(), -0.125);
}

// ---- column and row numbers ----------------------------------------------------

TEST(GridCellHeaderText, ARowNumberIsPlainInAFixedCellAndSignedElsewhere) {
    CGridSheet sheet;
    sheet.SetColumnCount(2);
    sheet.SetRowCount(5);
    sheet.SetFixedColumnCount(1);
    sheet.SetFixedRowCount(1);
    sheet.Cell(0, 3)->SetType(GridCellType::RowNumber);
    sheet.Cell(1, 3)->SetType(GridCellType::RowNumber);
    EXPECT_EQ(sheet.DisplayText(0, 3), "3");
    EXPECT_EQ(sheet.DisplayText(1, 3), "+3");
}

TEST(GridCellHeaderText, AColumnNumberAddsItsOffsetToTheColumn) {
    CGridSheet sheet;
    sheet.SetColumnCount(4);
    sheet.SetRowCount(3);
    sheet.SetFixedRowCount(1);
    CGridCell* header = sheet.Cell(2, 0);
    header->SetType(GridCellType::ColumnNumber);
    header->SetInt(-1);
    EXPECT_EQ(sheet.DisplayText(2, 0), "1");
    CGridCell* body = sheet.Cell(3, 2);
    body->SetType(GridCellType::ColumnNumber);
    body->SetInt(-5);
    EXPECT_EQ(sheet.DisplayText(3, 2), "-2");
}

TEST(GridCellHeaderText, AHugeOffsetDoesNotWrapAround) {
    CGridSheet sheet;
    sheet.SetColumnCount(1);
    sheet.SetRowCount(3);
    CGridCell* cell = sheet.Cell(0, 2);
    cell->SetType(GridCellType::RowNumber);
    cell->SetInt(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(sheet.DisplayText(0, 2), "+2147483649");
}

// The view a search reads is the text every type shows, numbers at their
// place in the sheet included.
TEST(GridCellDisplayTextView, ReadsAsTheDisplayTextOfEveryType) {
    CGridSheet sheet;
    sheet.SetColumnCount(2);
    sheet.SetRowCount(14);
    sheet.SetFixedColumnCount(1);
    const std::vector<CGridCell> cells = {
        Make(GridCellType::Empty), Text("a b"), Integer(0), Integer(-7),
        Integer(std::numeric_limits<std::int32_t>::min()), Real(-1.5), YesNo(true),
        Color(0x123456, 7), Choice(1), Choice(9)};
    for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
        *sheet.Cell(1, row) = cells[static_cast<size_t>(row)];
    }
    for (const int row : {10, 11}) {
        sheet.Cell(0, row)->SetType(GridCellType::RowNumber);
        sheet.Cell(1, row)->SetType(GridCellType::RowNumber);
    }
    sheet.Cell(1, 12)->SetType(GridCellType::ColumnNumber);
    sheet.Cell(1, 12)->SetInt(-5);
    sheet.Cell(1, 13)->SetType(GridCellType::RowNumber);
    sheet.Cell(1, 13)->SetInt(std::numeric_limits<std::int32_t>::max());
    CCellTextBuffer buffer;
    for (int column = 0; column < sheet.ColumnCount(); ++column) {
        for (int row = 0; row < sheet.RowCount(); ++row) {
            EXPECT_EQ(sheet.DisplayTextView(column, row, buffer), sheet.DisplayText(column, row))
                << column << "," << row;
        }
    }
    EXPECT_TRUE(sheet.DisplayTextView(5, 5, buffer).isEmpty());
}

}  // namespace
}  // namespace plexion::test
