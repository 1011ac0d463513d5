#include <gtest/gtest.h>

#include "frame_rate_meter.h"

namespace plexion {
namespace {

using namespace std::chrono_literals;

TEST(FrameRateMeter, StartsAtOneFramePerSecond) {
    CFrameRateMeter meter;
    EXPECT_EQ(meter.Text(), "1.00 Fps");
}

TEST(FrameRateMeter, AveragesEachRepaintIntoTheShownRate) {
    CFrameRateMeter meter;
    auto now = CFrameRateMeter::Clock::now() + 1s;
    meter.Tick(now);
    now += 10ms;
    meter.Tick(now);
    // First tick at 1 fps, then 100 fps: each adds 1/100 of its rate.
    const double first = 0.99 + 0.01;
    EXPECT_NEAR(meter.Average(), first * 0.99 + 1.0, 1e-6);
    EXPECT_EQ(meter.Text(), "1.99 Fps");
}

TEST(FrameRateMeter, SettlesOnASteadyRate) {
    CFrameRateMeter meter;
    auto now = CFrameRateMeter::Clock::now();
    for (int i = 0; i < 3000; ++i) {
        now += 20ms;
        meter.Tick(now);
    }
    EXPECT_EQ(meter.Text(), "50.00 Fps");
}

TEST(FrameRateMeter, ARepaintWithNoTimePassedIsSkipped) {
    CFrameRateMeter meter;
    const auto now = CFrameRateMeter::Clock::now() + 10ms;
    meter.Tick(now);
    const double before = meter.Average();
    meter.Tick(now);
    EXPECT_EQ(meter.Average(), before);
}

}  // namespace
}  // namespace plexion
