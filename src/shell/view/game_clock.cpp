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

CGameClock::CGameClock(QObject* parent) : QObject(parent) {
    repaintTimer_.setTimerType(Qt::PreciseTimer);
    repaintTimer_.setInterval(1);
    connect(&repaintTimer_, &QTimer::timeout, this, &CGameClock::OnRepaintTimer);
}

CGameClock::~CGameClock() { Stop(); }

void CGameClock::Start(int periodMs, std::mutex& stepMutex, Step step) {
    if (IsRunning()) {
        return;
    }
    periodMs_ = std::max(1, periodMs);
    stepMutex_ = &stepMutex;
    step_ = std::move(step);
    stopping_ = false;
    redrawPending_.store(false);
    thread_ = std::thread(&CGameClock::Run, this, std::chrono::milliseconds(periodMs_));
    repaintTimer_.start();
}

void CGameClock::Stop() {
    repaintTimer_.stop();
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
    stepMutex_ = nullptr;
}

void CGameClock::Run(std::chrono::milliseconds period) {
    using Clock = std::chrono::steady_clock;
    auto next = Clock::now() + period;
    std::unique_lock lock(wakeMutex_);
    while (!wake_.wait_until(lock, next, [this] { return stopping_; })) {
        lock.unlock();
        RunOneStep();
        lock.lock();
        // A clock that fell behind (a slow step, a busy machine) takes the
        // next step at once instead of running the missed ones in a burst.
        next = std::max(next + period, Clock::now());
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
    if (step_()) {
        redrawPending_.store(true, std::memory_order_release);
    }
}

void CGameClock::OnRepaintTimer() {
    if (redrawPending_.exchange(false, std::memory_order_acq_rel)) {
        emit redrawDue();
    }
}

}  // namespace plexion
