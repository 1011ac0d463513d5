#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace plexion {

class CVKT_ResourceContainer;

// The game-step period of a document in milliseconds: its text
// "settings_one_game_step_delay" read as a decimal integer, 8 when the text
// is missing; "0", negative values and texts that are no number give 1.
int GameStepDelay(const CVKT_ResourceContainer& resources);

// The clock that drives animated previews. A thread of its own runs `step`
// once per period while holding the document's step mutex, so a step never
// sees an edit half done; a step that reports a change asks the interface
// thread for one `redrawDue`, and no more until that one was delivered, so
// repaints never pile up however fast the steps run. Redraws come no closer
// together than the screen's refresh interval: a picture the screen never
// shows is work for nothing.
//
// While `animates` says nothing would change, the thread sleeps on a
// condition variable with no deadline: an idle editor costs no wake-ups.
// Whoever may have started something animating calls Wake. `animates` is
// asked on the clock's thread while the clock's own mutex is held, and Wake
// takes that mutex, so a start that happens just as the clock goes to sleep
// is never missed.
class CGameClock : public QObject {
    Q_OBJECT
public:
    using Step = std::function<bool()>;
    using Animates = std::function<bool()>;

    explicit CGameClock(QObject* parent = nullptr);
    CGameClock(const CGameClock&) = delete;
    CGameClock& operator=(const CGameClock&) = delete;
    ~CGameClock() override;

    // Does nothing while the clock runs. `stepMutex` must outlive the run;
    // `step` and `animates` run on the clock's thread.
    void Start(int periodMs, std::mutex& stepMutex, Step step, Animates animates);
    // Returns once no step runs any more.
    void Stop();
    // A sleeping clock asks `animates` again.
    void Wake();
    // Takes effect from the step after the last one taken.
    void SetPeriod(int periodMs);
    // The shortest time between two `redrawDue`, from the next Start on;
    // none by default.
    void SetRedrawInterval(std::chrono::microseconds interval) { redrawInterval_ = interval; }
    bool IsRunning() const { return thread_.joinable(); }
    int PeriodMs() const { return periodMs_.load(); }
    // Whether the thread waits for a Wake because nothing animates.
    bool IsAsleep() const { return asleep_.load(); }
    // The steps run since the clock was made.
    std::uint64_t StepCount() const { return stepCount_.load(); }

signals:
    void redrawDue();

private:
    void Run();
    void RunOneStep();
    // Clock thread: asks for a redraw of the changes not yet shown, once
    // the last one asked for was delivered and, unless `now`, once the
    // redraw interval has passed.
    void AskForRedraw(bool now);
    void DeliverRedraw();

    std::thread thread_;
    // Guards stopping_ and wakeups_, and is held while `animates_` is asked.
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::uint64_t wakeups_ = 0;
    std::atomic<bool> asleep_{false};
    std::atomic<bool> redrawPending_{false};
    std::atomic<int> periodMs_{0};
    std::atomic<std::uint64_t> stepCount_{0};
    std::mutex* stepMutex_ = nullptr;
    Step step_;
    Animates animates_;
    std::chrono::microseconds redrawInterval_{0};
    // Clock thread only: changes no redraw was asked for yet, and when the
    // next one may be asked for.
    bool unshown_ = false;
    std::chrono::steady_clock::time_point nextRedraw_;
};

}  // namespace plexion
