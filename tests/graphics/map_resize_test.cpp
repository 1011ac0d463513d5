#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map_item.h"
#include "map_resize.h"
#include "message_presenter.h"

namespace plexion {
namespace {

// Answers every question with `answer` and remembers what was asked.
class CAnsweringPresenter final : public IMessagePresenter {
public:
    explicit CAnsweringPresenter(MessageAnswer answer) : answer_(answer) {}
    MessageAnswer Show(const std::string& text, MessageIcon, MessageButtons buttons) override {
        asked.push_back(text);
        EXPECT_EQ(buttons, MessageButtons::YesNo);
        return answer_;
    }
    std::vector<std::string> asked;

private:
    MessageAnswer answer_;
};

// Puts c * 100 + l into the cell (c, l) of a new 10 x 10 map.
void Number(CVKT_Map& map) {
    for (int c = 0; c < map.Columns(); ++c) {
        for (int l = 0; l < map.Lines(); ++l) {
            map.SetCell(c, l, static_cast<std::int16_t>(c * 100 + l));
        }
    }
}

TEST(MapCells, ColumnAndLineAtTheEdges) {
    CVKT_Map map;
    map.SetSizeX(16);
    map.SetSizeY(8);
    EXPECT_EQ(map.ColumnAt(-1), -1);
    EXPECT_EQ(map.ColumnAt(0), 0);
    EXPECT_EQ(map.ColumnAt(15), 0);
    EXPECT_EQ(map.ColumnAt(16), 1);
    EXPECT_EQ(map.ColumnAt(16 * 10 - 1), 9);
    EXPECT_EQ(map.ColumnAt(16 * 10), -1);
    EXPECT_EQ(map.LineAt(8 * 10 - 1), 9);
    EXPECT_EQ(map.LineAt(8 * 10), -1);
    EXPECT_EQ(map.LineAt(-8), -1);
}

TEST(MapCells, CellSizesBelowOneAreRefusedWhereTheyAreSet) {
    CVKT_Map map;
    EXPECT_FALSE(map.SetSizeX(0));
    EXPECT_FALSE(map.SetSizeY(-3));
    EXPECT_EQ(map.SizeX(), 32);
    EXPECT_EQ(map.SizeY(), 32);
    EXPECT_TRUE(map.SetSizeX(1));
    EXPECT_EQ(map.ColumnAt(9), 9);
}

TEST(MapCells, InsertAndRemoveShiftTheOtherCells) {
    CVKT_Map map;
    Number(map);
    map.InsertColumn(2);
    EXPECT_EQ(map.Columns(), 11);
    EXPECT_EQ(map.GetCell(2, 5), 0);
    EXPECT_EQ(map.GetCell(3, 5), 205);
    map.InsertLine(-4);
    EXPECT_EQ(map.GetCell(3, 0), 0);
    EXPECT_EQ(map.GetCell(3, 6), 205);
    EXPECT_TRUE(map.RemoveLine(0));
    EXPECT_TRUE(map.RemoveColumn(2));
    EXPECT_EQ(map.GetCell(2, 5), 205);
    EXPECT_FALSE(map.RemoveColumn(10));
    EXPECT_FALSE(map.RemoveLine(-1));
    map.Clear();
    EXPECT_EQ(map.Columns(), 0);
    EXPECT_EQ(map.Lines(), 0);
    EXPECT_EQ(map.GetCell(0, 0), 0);
}

TEST(MapResize, ShrinkingLinesAsksAndYesKeepsTheUpperLeftCells) {
    CVKT_Map map;
    Number(map);
    CAnsweringPresenter yes(MessageAnswer::Yes);
    EXPECT_TRUE(map_size::Resize(map, 12, 8, &yes));
    ASSERT_EQ(yes.asked.size(), 1u);
    EXPECT_EQ(yes.asked[0],
              "Reducing the map size will result as a loss of a part of the map data, do you "
              "really want to change the map size ?");
    ASSERT_EQ(map.Columns(), 12);
    ASSERT_EQ(map.Lines(), 8);
    for (int c = 0; c < 12; ++c) {
        for (int l = 0; l < 8; ++l) {
            EXPECT_EQ(map.GetCell(c, l), c < 10 ? c * 100 + l : 0) << c << "," << l;
        }
    }
}

TEST(MapResize, AnyAnswerButYesLeavesTheMapAlone) {
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        CVKT_Map map;
        Number(map);
        CAnsweringPresenter presenter(answer);
        EXPECT_FALSE(map_size::Resize(map, 9, 10, &presenter));
        EXPECT_EQ(presenter.asked.size(), 1u);
        EXPECT_EQ(map.Columns(), 10);
        EXPECT_EQ(map.GetCell(9, 9), 909);
    }
    CVKT_Map map;
    Number(map);
    EXPECT_FALSE(map_size::Resize(map, 10, 3, nullptr));
    EXPECT_EQ(map.Lines(), 10);
}

TEST(MapResize, SameOrLargerSizesAskNothing) {
    CVKT_Map map;
    Number(map);
    CAnsweringPresenter no(MessageAnswer::No);
    EXPECT_TRUE(map_size::Resize(map, 10, 10, &no));
    EXPECT_TRUE(map_size::Resize(map, 11, 13, &no));
    EXPECT_TRUE(no.asked.empty());
    EXPECT_EQ(map.Columns(), 11);
    EXPECT_EQ(map.Lines(), 13);
    EXPECT_EQ(map.GetCell(9, 9), 909);
    EXPECT_EQ(map.GetCell(10, 12), 0);
}

TEST(MapResize, NegativeOrHugeSizesAreRefusedWithoutAsking) {
    CVKT_Map map;
    Number(map);
    CAnsweringPresenter yes(MessageAnswer::Yes);
    EXPECT_FALSE(map_size::Resize(map, -1, 10, &yes));
    EXPECT_FALSE(map_size::Resize(map, 10, map_size::kMaxSide + 1, &yes));
    EXPECT_FALSE(map_size::Resize(map, 1 << 15, 1 << 15, &yes));
    EXPECT_TRUE(yes.asked.empty());
    EXPECT_EQ(map.Columns(), 10);
    EXPECT_EQ(map.Lines(), 10);
}

TEST(MapResize, ToNothingAndBackGivesZeros) {
    CVKT_Map map;
    Number(map);
    CAnsweringPresenter yes(MessageAnswer::Yes);
    EXPECT_TRUE(map_size::Resize(map, 0, 0, &yes));
    EXPECT_EQ(map.Columns(), 0);
    EXPECT_TRUE(map_size::Resize(map, 2, 3, &yes));
    EXPECT_EQ(map.GetCell(1, 2), 0);
    EXPECT_EQ(map.Lines(), 3);
}

}  // namespace
}  // namespace plexion
