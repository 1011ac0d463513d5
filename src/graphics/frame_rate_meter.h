#pragma once

#include <chrono>
#include <string>

namespace plexion {

// The frame rate shown in animated previews: each repaint measures the time
// since the previous one and folds the rate into a running average, so the
// figure stays readable while single frames jitter.
class CFrameRateMeter {
public:
    using Clock = std::chrono::steady_clock;

    CFrameRateMeter() : previous_(Clock::now()) {}

    // Called on every repaint.
    void Tick() { Tick(Clock::now()); }
    // A repaint at `now`; a repaint at the same instant as the previous one
    // is skipped.
    void Tick(Clock::time_point now);

    double Average() const { return average_; }
    // "%.2f Fps"
    std::string Text() const;

private:
    static constexpr double kSmoothing = 100.0;

    Clock::time_point previous_;
    double average_ = 1.0;
};

}  // namespace plexion
