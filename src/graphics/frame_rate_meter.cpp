#include "frame_rate_meter.h"

#include <cstdio>

namespace plexion {

void CFrameRateMeter::Tick(Clock::time_point now) {
    const std::chrono::duration<double> elapsed = now - previous_;
    if (elapsed.count() <= 0.0) {
        return;
    }
    previous_ = now;
    const double rate = 1.0 / elapsed.count();
    average_ = average_ * (1.0 - 1.0 / kSmoothing) + rate / kSmoothing;
}

std::string CFrameRateMeter::Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f Fps", average_);
    return text;
}

}  // namespace plexion
