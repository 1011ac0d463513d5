#pragma once

#include <atomic>
#include <string>

#include "animation_cursor.h"
#include "trajectory_cursor.h"

namespace plexion {

// What the trajectory preview's game step reads and changes, apart from its
// window: the inactive flag, the play speed, the moving object's cursor and,
// when the object is an animation, the animation's cursor. The flag and the
// speed are set on the interface thread and read by the game-clock thread.
class CTrajectoryPreviewState {
public:
    static constexpr double kStartPlaySpeed = 1.0;
    static constexpr double kPlaySpeedLimit = 100.0;

    CTrajectoryCursor& Cursor() { return cursor_; }
    const CTrajectoryCursor& Cursor() const { return cursor_; }
    // Plays the object's animation, one advance(1.0) per game step as in
    // the game, whatever the object's speed along the path.
    CAnimationCursor& ObjectAnimation() { return objectAnimation_; }
    const CAnimationCursor& ObjectAnimation() const { return objectAnimation_; }

    // Set while the preview window is hidden: a hidden preview does not step.
    void SetInactive(bool inactive) { inactive_.store(inactive); }
    bool IsInactive() const { return inactive_.load(); }

    double PlaySpeed() const { return playSpeed_.load(); }
    // Clamped to [-100, 100]; a speed that is not a number stops the object.
    void SetPlaySpeed(double speed);
    // The "Set Play Speed" prompt's value, in percent.
    void SetPlaySpeedPercent(double percent) { SetPlaySpeed(percent * 0.01); }
    // A drag on the "PlaySpeed" button: up speeds up, down slows down and
    // then reverses.
    void DragPlaySpeed(int dy) { SetPlaySpeed(PlaySpeed() - dy * 0.01); }
    // "%.2f %%" of the speed in percent, as the button shows it.
    std::string PlaySpeedText() const;

    // The game step: false while inactive, otherwise whether the object
    // moved along the path or its animation played on.
    bool Step();
    // Whether coming steps would move the object or play its animation.
    bool Animates() const;

private:
    std::atomic<bool> inactive_{false};
    std::atomic<double> playSpeed_{kStartPlaySpeed};
    CTrajectoryCursor cursor_;
    CAnimationCursor objectAnimation_;
};

}  // namespace plexion
