#pragma once

#include <atomic>

namespace plexion {

class CVKT_ResourceContainer;
class CVKT_Trajectory;

// The moving object of the trajectory preview: a trajectory of the document
// and the path parameter t along it.
//
// Step runs on the game-clock thread while painting reads the parameter on
// the user-interface thread, so the step touches nothing but this cursor's
// atomics: it never looks into the document, which the user-interface thread
// may be changing at that moment. The user-interface thread tells the cursor
// the point count with Refresh after every change of the trajectories.
class CTrajectoryCursor {
public:
    // User-interface thread.
    void SetResourceContainer(const CVKT_ResourceContainer* resources);
    // Shows the trajectory at `index` (-1 for none) from its start.
    void SetTrajectoryIndex(int index);
    int TrajectoryIndex() const { return index_.load(); }
    // The shown trajectory, or null when there is none.
    const CVKT_Trajectory* Trajectory() const;
    void Rewind() { parameter_.store(0.0); }
    // Re-reads the shown trajectory's point count after an edit.
    void Refresh();

    // Game-clock thread: moves t by the play speed, looping over the points
    // in the direction of its sign. False when no trajectory is shown; a
    // trajectory without points holds t at 0.
    bool Step(double playSpeed);
    // Whether steps at `playSpeed` would change the parameter.
    bool Moves(double playSpeed) const;

    // Any thread.
    double Parameter() const { return parameter_.load(); }

private:
    const CVKT_ResourceContainer* resources_ = nullptr;
    std::atomic<int> index_{-1};
    // -1 while no trajectory is shown.
    std::atomic<int> pointCount_{-1};
    std::atomic<double> parameter_{0.0};
};

}  // namespace plexion
