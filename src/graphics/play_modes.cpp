#include "play_modes.h"

namespace plexion {
namespace {

// What happens past one end of the frames.
enum class EndRule {
    Stop,      // stay on the end frame and stop
    Wrap,      // jump to the other end frame, same direction
    Turn,      // the frame next to the end frame, turned around
    TurnHere,  // the end frame itself, turned around
};

struct CModeRules {
    EndRule afterLast;
    EndRule beforeFirst;
};

constexpr CModeRules kRules[] = {
    {EndRule::Stop, EndRule::Stop},      // Forward Once
    {EndRule::Wrap, EndRule::TurnHere},  // Forward Loop
    {EndRule::Turn, EndRule::Stop},      // Forward and Backward Once
    {EndRule::Turn, EndRule::Turn},      // Forward and Backward Loop
    {EndRule::Stop, EndRule::Stop},      // Backward Once
    {EndRule::TurnHere, EndRule::Wrap},  // Backward Loop
    {EndRule::Stop, EndRule::Turn},      // Backward and Forward Once
    {EndRule::Turn, EndRule::Turn},      // Backward and Forward Loop
};
constexpr std::int32_t kModeCount = static_cast<std::int32_t>(sizeof(kRules) / sizeof(kRules[0]));

// `end` is the end frame the cursor ran past and `other` the opposite end
// frame; `inwardIsForward` tells which way leads back into the frames.
CFramePosition ApplyRule(EndRule rule, std::int32_t end, std::int32_t other, bool inwardIsForward) {
    const bool inward = inwardIsForward;
    const bool outward = !inwardIsForward;
    switch (rule) {
        case EndRule::Stop:
            return {end, outward, true};
        case EndRule::Wrap:
            return {other, outward, false};
        case EndRule::Turn:
            return {inward ? end + 1 : end - 1, inward, false};
        case EndRule::TurnHere:
            return {end, inward, false};
    }
    return {end, outward, true};
}

}  // namespace

bool PlayModeStartsBackward(std::int32_t mode) {
    return mode >= 4 && mode <= 7;
}

CFramePosition NextFramePosition(std::int32_t mode, CFramePosition from, std::int32_t count) {
    if (mode < 0 || mode >= kModeCount) {
        return {from.frame, from.forward, false};
    }
    const std::int32_t last = count - 1;
    // Widened so that a frame at the int32 limits cannot overflow.
    const std::int64_t next = static_cast<std::int64_t>(from.frame) + (from.forward ? 1 : -1);
    if (next > last) {
        return ApplyRule(kRules[mode].afterLast, last, 0, false);
    }
    if (next < 0) {
        return ApplyRule(kRules[mode].beforeFirst, 0, last, true);
    }
    return {static_cast<std::int32_t>(next), from.forward, false};
}

}  // namespace plexion
