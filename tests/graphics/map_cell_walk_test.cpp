#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>

#include "map_cell_walk.h"
#include "map_item.h"

namespace plexion {
namespace {

using map_cells::CCell;

// A map of 10 columns and 6 lines of 8 x 4 cells.
class MapCellWalk : public ::testing::Test {
protected:
    void SetUp() override {
        map.SetSizeX(8);
        map.SetSizeY(4);
        for (int i = 0; i < 4; ++i) {
            map.RemoveLine(0);
        }
    }
    CVKT_Map map;
};

TEST_F(MapCellWalk, SegmentsGiveTheCellsTheyCross) {
    struct Case {
        double fromX, fromY, toX, toY;
        std::vector<CCell> cells;
    };
    for (const Case& c : std::vector<Case>{
             {3, 1, 3, 2, {{0, 0}}},
             {3, 1, 30, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
             {30, 1, 3, 1, {{3, 0}, {2, 0}, {1, 0}, {0, 0}}},
             {4, 5, 4, 17, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}},
             // Off the map on the left and below: only the part on it counts.
             {-20, 2, 12, 2, {{0, 0}, {1, 0}}},
             {60, 20, 60, 40, {{7, 5}}},
             {-5, -5, -1, 30, {}},
             {100, 1, 200, 1, {}},
         }) {
        EXPECT_EQ(map_cells::AlongSegment(map, c.fromX, c.fromY, c.toX, c.toY), c.cells)
            << c.fromX << "," << c.fromY << " to " << c.toX << "," << c.toY;
    }
}

TEST_F(MapCellWalk, AFastDiagonalLeavesNoGap) {
    // From the first cell to the last, and exactly through cell corners.
    for (const auto& [fromX, fromY, toX, toY] :
         {std::array<double, 4>{1, 1, 79, 23}, {0, 0, 48, 24}, {79, 0, 0, 23}}) {
        const std::vector<CCell> cells = map_cells::AlongSegment(map, fromX, fromY, toX, toY);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front(), (CCell{static_cast<int>(fromX) / 8, static_cast<int>(fromY) / 4}));
        EXPECT_EQ(cells.back(), (CCell{std::min(static_cast<int>(toX) / 8, 9),
                                       std::min(static_cast<int>(toY) / 4, 5)}));
        for (std::size_t i = 1; i < cells.size(); ++i) {
            EXPECT_EQ(std::abs(cells[i].column - cells[i - 1].column) +
                          std::abs(cells[i].line - cells[i - 1].line),
                      1)
                << "step " << i;
        }
    }
}

TEST_F(MapCellWalk, MapsWithoutCellsOrPointsThatAreNoNumbersGiveNone) {
    CVKT_Map empty;
    empty.Clear();
    EXPECT_TRUE(map_cells::AlongSegment(empty, 0, 0, 10, 10).empty());
    EXPECT_TRUE(map_cells::AlongSegment(map, 0, 0, std::nan(""), 10).empty());
}

}  // namespace
}  // namespace plexion
