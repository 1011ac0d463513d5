#include "game_clock.h"

#include <algorithm>
#include <chrono>

#include "plexion_doc_core.h"
#include "resource_container.h"

namespace plexion {

namespace {
constexpr int kMissingDelayMs = 8;
}

int GameStepDelay(const CVKT_ResourceContainer& resources) {
    const int delay = resources.TextAsInteger(CPlexionDocCore::kGameStepDelayId, kMissingDelayMs);
    return std::max(1, delay);
}

CGameClock::CGameClock(QObject* parent) : QObject(parent) {}

CGameClock::~CGameClock() { Stop(); }

void CGameClock::Start(int periodMs, std::mutex& stepMutex, Step step, Animates animates) {
    if (IsRunning()) {
        return;
    }
    periodMs_.store(std::max(1, periodMs));
    stepMutex_ = &stepMutex;
    step_ = std::move(step);
    animates_ = std::move(animates);
    stopping_ = false;
    unshown_ = false;
    nextRedraw_ = {};
    thread_ = std::thread(&CGameClock::Run, this);
}

void CGameClock::Stop() {
    if (!IsRunning()) {
        return;
    }
    {
        std::lock_guard lock(wakeMutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    step_ = nullptr;
    animates_ = nullptr;
    stepMutex_ = nullptr;
}

void CGameClock::Wake() {
    {
        std::lock_guard lock(wakeMutex_);
        ++wakeups_;
    }
    wake_.notify_all();
}

void CGameClock::SetPeriod(int periodMs) {
    periodMs_.store(std::max(1, periodMs));
    Wake();
}

void CGameClock::Run() {
    using Clock = std::chrono::steady_clock;
    std::unique_lock lock(wakeMutex_);
    auto lastStep = Clock::now();
    while (!stopping_) {
        if (!animates_()) {
            // The last change is shown before the clock sleeps.
            AskForRedraw(true);
            asleep_.store(true);
            wake_.wait(lock, [this] { return stopping_ || animates_(); });
            asleep_.store(false);
            // Something that starts moving takes its first step one period
            // later, as it would on a clock that never slept.
            lastStep = Clock::now();
            continue;
        }
        const std::chrono::milliseconds period(periodMs_.load());
        const auto due = lastStep + period;
        const std::uint64_t seen = wakeups_;
        // A Wake (a new period, a preview that stopped or started) is looked
        // at before the step is due; it never brings the step forward.
        if (wake_.wait_until(lock, due, [&] { return stopping_ || wakeups_ != seen; })) {
            continue;
        }
        lock.unlock();
        RunOneStep();
        lock.lock();
        // A clock that fell behind (a slow step, a busy machine) takes the
        // next step at once instead of running the missed ones in a burst.
        lastStep = std::max(due, Clock::now() - period);
    }
}

void CGameClock::RunOneStep() {
    // An edit holds the mutex while it changes the document; the step that
    // meets one is skipped rather than waited for, so stopping the clock
    // from inside an edit can never wait on a step that waits on the edit.
    std::unique_lock stepLock(*stepMutex_, std::try_to_lock);
    if (!stepLock.owns_lock()) {
        return;
    }
    stepCount_.fetch_add(1);
    unshown_ = step_() || unshown_;
    AskForRedraw(false);
}

void CGameClock::AskForRedraw(bool now) {
    const auto time = std::chrono::steady_clock::now();
    if (!unshown_ || (!now && time < nextRedraw_)) {
        return;
    }
    // One redraw waits on the interface thread at most: the steps taken
    // before it is delivered are all shown by it.
    if (!redrawPending_.exchange(true)) {
        unshown_ = false;
        // Steps fall on whole periods: the one due half a period before
        // the interval ends takes its redraw, so that redraws keep the
        // screen's pace rather than the next whole period after it.
        nextRedraw_ = time + redrawInterval_ - std::chrono::milliseconds(periodMs_.load()) / 2;
        QMetaObject::invokeMethod(this, &CGameClock::DeliverRedraw, Qt::QueuedConnection);
    }
}

void CGameClock::DeliverRedraw() {
    redrawPending_.store(false);
    emit redrawDue();
}

}  // namespace plexion
