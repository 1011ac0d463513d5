#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scroll_geometry.h"

namespace plexion {
namespace {

TEST(ScrollButtons, FreeBarMovesOutsideTheRange) {
    const CScrollRange range;  // −1 … 1, page 0.2
    EXPECT_DOUBLE_EQ(PositionAfterButton(0.0, 5.0, range, true), 5.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(0.0, -0.2, range, true), -0.2);
}

TEST(ScrollButtons, ClampedBarStaysInsideStartToEndLessPage) {
    const CScrollRange range{0.0, 100.0, 10.0};
    EXPECT_DOUBLE_EQ(PositionAfterButton(85.0, 10.0, range, false), 90.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(0.0, -1.0, range, false), 0.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(40.0, 1.0, range, false), 41.0);
}

TEST(ScrollButtons, RangeShorterThanThePageCentres) {
    const CScrollRange range{0.0, 5.0, 10.0};
    EXPECT_DOUBLE_EQ(PositionAfterButton(3.0, 1.0, range, false), -2.5);
    EXPECT_DOUBLE_EQ(PositionAfterButton(-40.0, -10.0, range, false), -2.5);
    EXPECT_DOUBLE_EQ(PositionAfterPress(7.0, range), -2.5);
    EXPECT_FALSE(PositionAfterDrag(-2.5, 30.0, 200, range).has_value());
}

TEST(ScrollButtons, ReversedRangeTurnsTheAmountsAndClampsBetweenEndAndStart) {
    const CScrollRange range{100.0, 0.0, 10.0};
    EXPECT_DOUBLE_EQ(PositionAfterButton(50.0, 10.0, range, false), 40.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(50.0, -1.0, range, false), 51.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(5.0, 10.0, range, false), 0.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(88.0, -10.0, range, false), 90.0);
    EXPECT_DOUBLE_EQ(PositionAfterButton(5.0, 10.0, range, true), -5.0);
}

TEST(ScrollPress, ClampsThePositionWithoutJumping) {
    const CScrollRange range{0.0, 100.0, 10.0};
    EXPECT_DOUBLE_EQ(PositionAfterPress(30.0, range), 30.0);
    EXPECT_DOUBLE_EQ(PositionAfterPress(95.0, range), 90.0);
    EXPECT_DOUBLE_EQ(PositionAfterPress(-3.0, range), 0.0);
    const CScrollRange exact{0.0, 10.0, 10.0};
    EXPECT_DOUBLE_EQ(PositionAfterPress(4.0, exact), 0.0);
}

TEST(ScrollDrag, FollowsTheMouseOverTheTrackLessTwoPixels) {
    const CScrollRange range{0.0, 100.0, 10.0};
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(20.0, 63.0, 128, range), 70.0);
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(20.0, -12.6, 128, range), 10.0);
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(20.0, 1000.0, 128, range), 90.0);
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(20.0, -1000.0, 128, range), 0.0);
}

TEST(ScrollDrag, ReversedRangeLowersThePositionAsTheMouseMovesForward) {
    const CScrollRange range{100.0, 0.0, 10.0};
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(60.0, 63.0, 128, range), 10.0);
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(60.0, 126.0, 128, range), 0.0);
    EXPECT_DOUBLE_EQ(*PositionAfterDrag(60.0, -126.0, 128, range), 90.0);
}

TEST(ScrollDrag, NothingWhenThePageCoversTheRangeOrTheTrackIsTooShort) {
    EXPECT_FALSE(PositionAfterDrag(0.0, 5.0, 128, CScrollRange{0.0, 10.0, 10.0}).has_value());
    EXPECT_FALSE(PositionAfterDrag(0.0, 5.0, 2, CScrollRange{0.0, 100.0, 10.0}).has_value());
    EXPECT_FALSE(PositionAfterDrag(0.0, 5.0, -40, CScrollRange{0.0, 100.0, 10.0}).has_value());
}

TEST(ScrollThumb, PlaceAndLengthFollowPositionAndPage) {
    const CScrollRange range{0.0, 100.0, 10.0};
    const CThumbSpan top = ThumbSpan(38, 124, 0.0, range);
    EXPECT_EQ(top.start, 38);
    EXPECT_EQ(top.length, 12);  // 12.4 rounds to 12
    const CThumbSpan middle = ThumbSpan(38, 124, 45.0, range);
    EXPECT_EQ(middle.start, 38 + 56);  // 55.8 rounds to 56
    const CThumbSpan bottom = ThumbSpan(38, 124, 90.0, range);
    EXPECT_EQ(bottom.start + bottom.length, 38 + 124);
}

TEST(ScrollThumb, HalvesRoundAwayFromZero) {
    // 100 / 40 × 1 = 2.5 pixels long, 100 / 40 × 3 = 7.5 from the start.
    const CThumbSpan span = ThumbSpan(0, 100, 3.0, CScrollRange{0.0, 40.0, 1.0});
    EXPECT_EQ(span.length, 3);
    EXPECT_EQ(span.start, 8);
}

TEST(ScrollThumb, PositionOutsideTheRangeIsShiftedBackInside) {
    const CScrollRange range;  // the defaults, after a free step forward to 5
    const CThumbSpan span = ThumbSpan(38, 124, 5.0, range);
    EXPECT_EQ(span.length, 12);
    EXPECT_EQ(span.start, 38 + 124 - 12);
    const CThumbSpan before = ThumbSpan(38, 124, -7.0, range);
    EXPECT_EQ(before.start, 38);
}

TEST(ScrollThumb, LongerThanTheTrackFillsItAndNeverShorterThanOnePixel) {
    const CThumbSpan full = ThumbSpan(10, 50, -2.5, CScrollRange{0.0, 5.0, 10.0});
    EXPECT_EQ(full.start, 10);
    EXPECT_EQ(full.length, 50);
    const CThumbSpan tiny = ThumbSpan(10, 50, 500.0, CScrollRange{0.0, 1000.0, 0.001});
    EXPECT_EQ(tiny.length, 1);
    EXPECT_EQ(tiny.start, 35);
}

TEST(ScrollThumb, ReversedRangeMovesTheThumbForwardAsThePositionFalls) {
    const CScrollRange range{100.0, 0.0, 10.0};
    const CThumbSpan atStart = ThumbSpan(0, 100, 90.0, range);
    EXPECT_EQ(atStart.start, 0);
    EXPECT_EQ(atStart.length, 10);
    const CThumbSpan after = ThumbSpan(0, 100, 80.0, range);
    EXPECT_EQ(after.start, 10);
    const CThumbSpan atEnd = ThumbSpan(0, 100, 0.0, range);
    EXPECT_EQ(atEnd.start, 90);
    EXPECT_EQ(atEnd.length, 10);
}

TEST(ScrollThumb, DegenerateValuesStayInsideTheTrack) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CThumbSpan empty = ThumbSpan(4, 60, 0.0, CScrollRange{3.0, 3.0, 0.0});
    EXPECT_EQ(empty.start, 4);
    EXPECT_EQ(empty.length, 60);
    for (const double position : {nan, inf, -inf, 1e300, -1e300}) {
        const CThumbSpan span = ThumbSpan(4, 60, position, CScrollRange{0.0, 100.0, 10.0});
        EXPECT_GE(span.start, 4);
        EXPECT_LE(span.start + span.length, 64);
        EXPECT_GE(span.length, 1);
    }
    const CThumbSpan nanPage = ThumbSpan(4, 60, 0.0, CScrollRange{0.0, 100.0, nan});
    EXPECT_EQ(nanPage.length, 1);
    const CThumbSpan infiniteRange = ThumbSpan(4, 60, 0.0, CScrollRange{0.0, inf, 1.0});
    EXPECT_EQ(infiniteRange.length, 60);
    EXPECT_EQ(ThumbSpan(4, 0, 0.0, CScrollRange{}).length, 0);
}

}  // namespace
}  // namespace plexion
