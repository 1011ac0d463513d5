#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <condition_variable>
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
// sees an edit half done; a step that reports a change sets a redraw flag.
// A 1 ms timer on the interface thread turns a set flag into one
// `redrawDue`, so repaints never pile up however fast the steps run.
class CGameClock : public QObject {
    Q_OBJECT
public:
    using Step = std::function<bool()>;

    explicit CGameClock(QObject* parent = nullptr);
    CGameClock(const CGameClock&) = delete;
    CGameClock& operator=(const CGameClock&) = delete;
    ~CGameClock() override;

    // Does nothing while the clock runs. `stepMutex` must outlive the run.
    void Start(int periodMs, std::mutex& stepMutex, Step step);
    // Returns once no step runs any more.
    void Stop();
    bool IsRunning() const { return thread_.joinable(); }
    int PeriodMs() const { return periodMs_; }

signals:
    void redrawDue();

private:
    void Run(std::chrono::milliseconds period);
    void RunOneStep();
    void OnRepaintTimer();

    std::thread thread_;
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::atomic<bool> redrawPending_{false};
    std::mutex* stepMutex_ = nullptr;
    Step step_;
    int periodMs_ = 0;
    QTimer repaintTimer_;
};

}  // namespace plexion
