#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "game_clock.h"
#include "plexion_doc_core.h"
#include "resource_container.h"
#include "text_item.h"

namespace plexion {
namespace {

void SetDelayText(CVKT_ResourceContainer& resources, const std::string& text) {
    int index = resources.Find<CVKT_Text>(CPlexionDocCore::kGameStepDelayId);
    if (index < 0) {
        index = resources.New<CVKT_Text>(CPlexionDocCore::kGameStepDelayId);
    }
    resources.GetAt<CVKT_Text>(index)->SetText(text);
}

int DelayFor(const std::string& text) {
    CVKT_ResourceContainer resources;
    SetDelayText(resources, text);
    return GameStepDelay(resources);
}

TEST(GameStepDelay, MissingTextGivesEightMilliseconds) {
    CVKT_ResourceContainer resources;
    EXPECT_EQ(GameStepDelay(resources), 8);
}

TEST(GameStepDelay, DecimalTextIsThePeriod) {
    EXPECT_EQ(DelayFor("8"), 8);
    EXPECT_EQ(DelayFor("10"), 10);
    EXPECT_EQ(DelayFor("  25"), 25);
    EXPECT_EQ(DelayFor("40 ms"), 40);
    EXPECT_EQ(DelayFor("+3"), 3);
}

TEST(GameStepDelay, ZeroNegativeAndNonNumbersRunEveryMillisecond) {
    EXPECT_EQ(DelayFor("0"), 1);
    EXPECT_EQ(DelayFor("-5"), 1);
    EXPECT_EQ(DelayFor("-2147483648"), 1);
    EXPECT_EQ(DelayFor("fast"), 1);
    EXPECT_EQ(DelayFor(""), 1);
}

TEST(GameStepDelay, HugeValuesSaturate) {
    EXPECT_EQ(DelayFor("99999999999999"), 2147483647);
}

TEST(GameStepDelay, FirstTextOfTheIdCounts) {
    CVKT_ResourceContainer resources;
    SetDelayText(resources, "12");
    const int second = resources.New<CVKT_Text>(CPlexionDocCore::kGameStepDelayId);
    resources.GetAt<CVKT_Text>(second)->SetText("3");
    EXPECT_EQ(GameStepDelay(resources), 12);
}

bool AlwaysAnimates() {
    return true;
}

// Waits, running the event loop, until `done` holds or two seconds pass.
template <typename Condition>
bool WaitFor(Condition done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

TEST(GameClock, StepsRunOnTheClocksOwnThread) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    std::atomic<bool> onOtherThread{true};
    const auto interfaceThread = std::this_thread::get_id();
    CGameClock clock;
    clock.Start(2, stepMutex, [&] {
        onOtherThread = onOtherThread && std::this_thread::get_id() != interfaceThread;
        ++steps;
        return false;
    }, AlwaysAnimates);
    EXPECT_TRUE(clock.IsRunning());
    EXPECT_EQ(clock.PeriodMs(), 2);
    EXPECT_TRUE(WaitFor([&] { return steps.load() >= 5; }));
    clock.Stop();
    EXPECT_FALSE(clock.IsRunning());
    EXPECT_TRUE(onOtherThread);
}

TEST(GameClock, NoStepRunsAfterStop) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    clock.Start(1, stepMutex, [&] {
        ++steps;
        return true;
    }, AlwaysAnimates);
    ASSERT_TRUE(WaitFor([&] { return steps.load() > 0; }));
    clock.Stop();
    const int stopped = steps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(steps.load(), stopped);
}

TEST(GameClock, ChangedStepsAskForAtMostOneRedrawEach) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    QSignalSpy redraws(&clock, &CGameClock::redrawDue);
    clock.Start(1, stepMutex, [&] {
        ++steps;
        return true;
    }, AlwaysAnimates);
    EXPECT_TRUE(WaitFor([&] { return redraws.count() >= 3; }));
    clock.Stop();
    EXPECT_LE(redraws.count(), steps.load());
}

TEST(GameClock, UnchangedStepsAskForNoRedraw) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    QSignalSpy redraws(&clock, &CGameClock::redrawDue);
    clock.Start(1, stepMutex, [&] {
        ++steps;
        return false;
    }, AlwaysAnimates);
    ASSERT_TRUE(WaitFor([&] { return steps.load() >= 10; }));
    QTest::qWait(20);
    clock.Stop();
    EXPECT_EQ(redraws.count(), 0);
}

TEST(GameClock, NoStepRunsWhileAnEditHoldsTheStepMutex) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    {
        std::lock_guard edit(stepMutex);
        clock.Start(1, stepMutex, [&] {
            ++steps;
            return false;
        }, AlwaysAnimates);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(steps.load(), 0);
        // Stopping from inside an edit must not wait for ever.
        clock.Stop();
    }
    clock.Start(1, stepMutex, [&] {
        ++steps;
        return false;
    }, AlwaysAnimates);
    EXPECT_TRUE(WaitFor([&] { return steps.load() > 0; }));
}

TEST(GameClock, StartWhileRunningKeepsTheFirstPeriod) {
    std::mutex stepMutex;
    CGameClock clock;
    clock.Start(5, stepMutex, [] { return false; }, AlwaysAnimates);
    clock.Start(50, stepMutex, [] { return false; }, AlwaysAnimates);
    EXPECT_EQ(clock.PeriodMs(), 5);
    clock.Stop();
    clock.Stop();
    clock.Start(0, stepMutex, [] { return false; }, AlwaysAnimates);
    EXPECT_EQ(clock.PeriodMs(), 1);
}

TEST(GameClock, SleepsWithoutWakeUpsWhileNothingAnimatesAndWakesWhenSomethingStarts) {
    std::mutex stepMutex;
    std::atomic<bool> animating{false};
    std::atomic<int> looks{0};
    std::atomic<int> steps{0};
    CGameClock clock;
    const auto asleepAndStill = [&] {
        EXPECT_TRUE(WaitFor([&] { return clock.IsAsleep(); }));
        const int stepsAsleep = steps.load();
        const int looksAsleep = looks.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        // Neither a step nor a look at the preview: the thread never woke.
        EXPECT_EQ(steps.load(), stepsAsleep);
        EXPECT_EQ(looks.load(), looksAsleep);
    };
    clock.Start(
        1, stepMutex,
        [&] {
            ++steps;
            return true;
        },
        [&] {
            ++looks;
            return animating.load();
        });
    asleepAndStill();
    EXPECT_EQ(steps.load(), 0);

    animating = true;
    clock.Wake();
    EXPECT_TRUE(WaitFor([&] { return steps.load() >= 5; }));
    EXPECT_FALSE(clock.IsAsleep());

    // The preview stops by itself (an animation played once): no Wake.
    animating = false;
    asleepAndStill();
    clock.Stop();
    EXPECT_FALSE(clock.IsRunning());
}

TEST(GameClock, ANewPeriodTakesEffectWithoutWaitingOutTheOldOne) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    clock.Start(
        24 * 60 * 60 * 1000, stepMutex,
        [&] {
            ++steps;
            return false;
        },
        AlwaysAnimates);
    clock.SetPeriod(2);
    EXPECT_EQ(clock.PeriodMs(), 2);
    EXPECT_TRUE(WaitFor([&] { return steps.load() >= 3; }));
    clock.SetPeriod(0);
    EXPECT_EQ(clock.PeriodMs(), 1);
}

TEST(GameClock, DestroyingARunningClockStopsIt) {
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    {
        CGameClock clock;
        clock.Start(1, stepMutex, [&] {
            ++steps;
            return true;
        }, AlwaysAnimates);
        ASSERT_TRUE(WaitFor([&] { return steps.load() > 0; }));
    }
    const int afterDestruction = steps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(steps.load(), afterDestruction);
}

}  // namespace
}  // namespace plexion
