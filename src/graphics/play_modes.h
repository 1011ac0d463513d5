#pragma once

#include <cstdint>

namespace plexion {

// Where a cursor stands in an animation: a frame and the way it is going.
struct CFramePosition {
    std::int32_t frame = 0;
    bool forward = true;
    // Set when an end rule stopped the animation on `frame`.
    bool stopped = false;
    bool operator==(const CFramePosition&) const = default;
};

// Play modes 4 to 7 start on the last frame going backward; the others on
// frame 0 going forward.
bool PlayModeStartsBackward(std::int32_t mode);

// One frame on from `from` in an animation of `count` frames (at least 2),
// with the end rules of `mode`. The rules of each end hold whichever way the
// cursor runs, so a cursor turned against its mode's start direction behaves
// as the matching half of its mode. Modes outside 0..7 never move.
CFramePosition NextFramePosition(std::int32_t mode, CFramePosition from, std::int32_t count);

}  // namespace plexion
