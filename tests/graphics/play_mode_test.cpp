// Every play mode, run from its start and against its direction, over 0, 1,
// 2 and many frames, with and without delays: the frames the cursor shows
// after each game step, "s" marking that it has stopped.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "animation_cursor.h"
#include "animation_fixtures.h"

namespace plexion {
namespace {

constexpr int kNatural = -1;

struct CPlayCase {
    const char* name;
    int mode;
    std::vector<int> delays;
    int steps;
    const char* shown;
    // When set, the cursor is put on this frame running this way after the
    // restart, as an outside caller may do.
    int startFrame = kNatural;
    int direction = kNatural;
};

void PrintTo(const CPlayCase& c, std::ostream* out) {
    *out << c.name;
}

std::string Play(const CPlayCase& c) {
    CVKT_ResourceContainer document;
    CAnimationCursor cursor;
    cursor.SetDocument(&document);
    cursor.SetAnimationIndex(test::AddAnimation(document, c.mode, c.delays));
    cursor.Restart();
    if (c.startFrame != kNatural) {
        cursor.SetCurrentFrame(c.startFrame);
        cursor.SetDirection(c.direction);
    }
    std::string shown;
    for (int i = 0; i < c.steps; ++i) {
        cursor.Advance(1.0);
        shown += (shown.empty() ? "" : " ") + std::to_string(cursor.GetCurrentFrame()) +
                 (cursor.IsPlaying() ? "" : "s");
    }
    return shown;
}

class PlayModes : public ::testing::TestWithParam<CPlayCase> {};

TEST_P(PlayModes, ShowTheFramesOfTheirEndRules) {
    EXPECT_EQ(Play(GetParam()), GetParam().shown);
}

using test::OneStepEach;

const CPlayCase kFromTheStart[] = {
    {"ForwardOnceNoFrames", 0, {}, 3, "0s 0s 0s"},
    {"ForwardOnceOneFrame", 0, {1}, 3, "0 0s 0s"},
    {"ForwardOnceTwoFrames", 0, OneStepEach(2), 4, "0 1 1s 1s"},
    {"ForwardOnceManyFrames", 0, OneStepEach(6), 8, "0 1 2 3 4 5 5s 5s"},
    {"ForwardLoopNoFrames", 1, {}, 2, "0s 0s"},
    {"ForwardLoopOneFrame", 1, {1}, 3, "0 0s 0s"},
    {"ForwardLoopTwoFrames", 1, OneStepEach(2), 5, "0 1 0 1 0"},
    {"ForwardLoopThreeFrames", 1, OneStepEach(3), 7, "0 1 2 0 1 2 0"},
    {"ForwardBackwardOnceTwoFrames", 2, OneStepEach(2), 5, "0 1 0 0s 0s"},
    {"ForwardBackwardOnceThreeFrames", 2, OneStepEach(3), 7, "0 1 2 1 0 0s 0s"},
    {"ForwardBackwardOnceOneFrame", 2, {1}, 2, "0 0s"},
    {"ForwardBackwardLoopTwoFrames", 3, OneStepEach(2), 5, "0 1 0 1 0"},
    {"ForwardBackwardLoopFourFrames", 3, OneStepEach(4), 10, "0 1 2 3 2 1 0 1 2 3"},
    {"ForwardBackwardLoopManyFrames", 3, OneStepEach(6), 14, "0 1 2 3 4 5 4 3 2 1 0 1 2 3"},
    {"BackwardOnceNoFrames", 4, {}, 2, "0s 0s"},
    {"BackwardOnceOneFrame", 4, {1}, 2, "0 0s"},
    {"BackwardOnceTwoFrames", 4, OneStepEach(2), 3, "1 0 0s"},
    {"BackwardOnceThreeFrames", 4, OneStepEach(3), 5, "2 1 0 0s 0s"},
    {"BackwardLoopTwoFrames", 5, OneStepEach(2), 4, "1 0 1 0"},
    {"BackwardLoopManyFrames", 5, OneStepEach(6), 8, "5 4 3 2 1 0 5 4"},
    {"BackwardForwardOnceTwoFrames", 6, OneStepEach(2), 4, "1 0 1 1s"},
    {"BackwardForwardOnceThreeFrames", 6, OneStepEach(3), 7, "2 1 0 1 2 2s 2s"},
    {"BackwardForwardLoopTwoFrames", 7, OneStepEach(2), 4, "1 0 1 0"},
    {"BackwardForwardLoopThreeFrames", 7, OneStepEach(3), 8, "2 1 0 1 2 1 0 1"},
    {"BackwardForwardLoopOneFrame", 7, {2}, 3, "0 0 0s"},
    {"ModeAboveSevenNeverMoves", 8, OneStepEach(3), 4, "0 0 0 0"},
    {"NegativeModeNeverMoves", -1, OneStepEach(3), 4, "0 0 0 0"},
    {"UnknownModeWithOneFrameStillStops", 8, {1}, 2, "0 0s"},
};
INSTANTIATE_TEST_SUITE_P(FromTheStart, PlayModes, ::testing::ValuesIn(kFromTheStart),
                         [](const auto& info) { return std::string(info.param.name); });

const CPlayCase kAgainstTheirDirection[] = {
    {"ForwardOnceBackwardStopsOnFirst", 0, OneStepEach(3), 5, "2 1 0 0s 0s", 2, 0},
    {"ForwardLoopBackwardTurnsOnFirst", 1, OneStepEach(3), 7, "2 1 0 0 1 2 0", 2, 0},
    {"ForwardBackwardOnceBackwardIsItsBackwardHalf", 2, OneStepEach(3), 4, "2 1 0 0s", 2, 0},
    {"ForwardBackwardLoopBackwardIsItsBackwardHalf", 3, OneStepEach(4), 8, "3 2 1 0 1 2 3 2", 3, 0},
    {"BackwardOnceForwardStopsOnLast", 4, OneStepEach(3), 5, "0 1 2 2s 2s", 0, 1},
    {"BackwardLoopForwardTurnsOnLast", 5, OneStepEach(3), 7, "0 1 2 2 1 0 2", 0, 1},
    {"BackwardForwardOnceForwardIsItsForwardHalf", 6, OneStepEach(3), 4, "0 1 2 2s", 0, 1},
    {"BackwardForwardLoopForwardIsItsForwardHalf", 7, OneStepEach(3), 7, "0 1 2 1 0 1 2", 0, 1},
    {"UnknownModeBackwardNeverMoves", 9, OneStepEach(3), 3, "2 2 2", 2, 0},
};
INSTANTIATE_TEST_SUITE_P(AgainstTheirDirection, PlayModes,
                         ::testing::ValuesIn(kAgainstTheirDirection),
                         [](const auto& info) { return std::string(info.param.name); });

const CPlayCase kWithDelays[] = {
    {"ForwardOnceHoldsEachFrameForItsDelay", 0, {2, 1, 3}, 8, "0 0 1 2 2 2 2s 2s"},
    {"OneFrameShowsForItsDelayThenStops", 1, {3}, 5, "0 0 0 0s 0s"},
    {"BackwardForwardOnceHoldsOnTheWayBack", 6, {1, 2, 1}, 8, "2 1 1 0 1 1 2 2s"},
    {"DelaysBelowOneFromAFileCountAsOne", 1, {0, -3, 0}, 5, "0 1 2 0 1"},
    {"ForwardBackwardLoopWithDelays", 3, {2, 1, 1}, 7, "0 0 1 2 1 0 0"},
};
INSTANTIATE_TEST_SUITE_P(WithDelays, PlayModes, ::testing::ValuesIn(kWithDelays),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace plexion
