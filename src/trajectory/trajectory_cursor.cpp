#include "trajectory_cursor.h"

#include <cmath>

#include "resource_container.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

// `t` brought back into [0, count). A whole remainder rather than a single
// subtraction keeps the object on the path when the play speed is larger
// than the path is long; for smaller speeds it is the same value.
double Wrapped(double t, int count) {
    if (!std::isfinite(t)) {
        return 0.0;
    }
    t = std::fmod(t, count);
    if (t < 0.0) {
        t += count;
    } else if (t == 0.0) {
        t = 0.0;  // the label shows no "-0.000"
    }
    // A tiny negative remainder plus the count can round up to the count.
    return t < count ? t : 0.0;
}

}  // namespace

void CTrajectoryCursor::SetResourceContainer(const CVKT_ResourceContainer* resources) {
    resources_ = resources;
    Refresh();
}

void CTrajectoryCursor::SetTrajectoryIndex(int index) {
    index_.store(index);
    Refresh();
    Rewind();
}

const CVKT_Trajectory* CTrajectoryCursor::Trajectory() const {
    return resources_ ? resources_->GetAt<CVKT_Trajectory>(index_.load()) : nullptr;
}

void CTrajectoryCursor::Refresh() {
    const CVKT_Trajectory* trajectory = Trajectory();
    pointCount_.store(trajectory ? trajectory->Count() : -1);
}

bool CTrajectoryCursor::Moves(double playSpeed) const {
    const int count = pointCount_.load();
    return count > 0 ? playSpeed != 0.0 : count == 0 && parameter_.load() != 0.0;
}

bool CTrajectoryCursor::Step(double playSpeed) {
    const int count = pointCount_.load();
    if (count < 0) {
        return false;
    }
    if (count == 0) {
        // Nothing to move along: the object rests at the start.
        return parameter_.exchange(0.0) != 0.0;
    }
    // A rewind on the user-interface thread between the read and the write
    // is not lost: the exchange fails and the step starts again from it.
    double current = parameter_.load();
    while (!parameter_.compare_exchange_weak(current, Wrapped(current + playSpeed, count))) {
    }
    return true;
}

}  // namespace plexion
