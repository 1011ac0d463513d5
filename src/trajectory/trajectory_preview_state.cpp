#include "trajectory_preview_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plexion {

void CTrajectoryPreviewState::SetPlaySpeed(double speed) {
    playSpeed_.store(std::isnan(speed) ? 0.0
                                       : std::clamp(speed, -kPlaySpeedLimit, kPlaySpeedLimit));
}

std::string CTrajectoryPreviewState::PlaySpeedText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %%", PlaySpeed() * 100.0);
    return text;
}

bool CTrajectoryPreviewState::Animates() const {
    return !IsInactive() && (cursor_.Moves(PlaySpeed()) || objectAnimation_.IsPlaying());
}

bool CTrajectoryPreviewState::Step() {
    if (IsInactive()) {
        return false;
    }
    const bool moved = cursor_.Step(PlaySpeed());
    const bool animated = objectAnimation_.IsPlaying() && objectAnimation_.Advance(1.0);
    return moved || animated;
}

}  // namespace plexion
