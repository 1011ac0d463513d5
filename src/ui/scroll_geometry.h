#pragma once

#include <optional>

namespace plexion {

// What a scroll bar scrolls over: a real range whose end may lie below its
// start (a reversed bar), and the visible page, which is also the thumb's
// length. The visible part always covers position … position + page.
struct CScrollRange {
    double start = -1.0;
    double end = 1.0;
    double page = 0.2;
};

// |end − start|.
double RangeExtent(const CScrollRange& range);

// The position that centres the page over a range shorter than the page.
double CentredPosition(const CScrollRange& range);

// Clamps to start … end − page (end … start − page when reversed); a range
// shorter than the page gives the centred position.
double ClampPosition(double position, const CScrollRange& range);

// The position after a step or page button: `amount` is positive forward and
// negative backward; a reversed range turns its sign. A free bar is not
// clamped.
double PositionAfterButton(double position, double amount, const CScrollRange& range, bool free);

// The position a press on the track leaves: clamped, or centred when the
// range is shorter than the page.
double PositionAfterPress(double position, const CScrollRange& range);

// The position after the mouse moved `moved` pixels along the axis since the
// press, over a track `trackLength` pixels long. Nothing when the page covers
// the whole range or the track has no length to drag along.
std::optional<double> PositionAfterDrag(double pressPosition, double moved, int trackLength,
                                        const CScrollRange& range);

// The thumb's place inside the track's inner part (`innerStart`,
// `innerLength` pixels), always inside it and at least one pixel long.
struct CThumbSpan {
    int start = 0;
    int length = 0;
};
CThumbSpan ThumbSpan(int innerStart, int innerLength, double position, const CScrollRange& range);

}  // namespace plexion
