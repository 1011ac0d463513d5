#include "path_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "path_operations.h"
#include "resource_container.h"
#include "trajectory_item.h"

namespace plexion {
namespace {

std::int32_t SmoothRangeOf(double value) {
    // Clamped as a real first, so no value makes the conversion undefined.
    return static_cast<std::int32_t>(
        std::isnan(value) ? kSmoothRangeMin
                          : std::clamp(value, double{kSmoothRangeMin}, double{kSmoothRangeMax}));
}

bool Apply(CVKT_Trajectory& trajectory, PathOperation operation, double value) {
    switch (operation) {
        case PathOperation::RemoveAll:
            return trajectory.RemoveAllPoints();
        case PathOperation::Resample:
            return trajectory.Resample(value);
        case PathOperation::Smooth:
            return trajectory.Smooth(SmoothRangeOf(value));
        case PathOperation::Quantify:
            return trajectory.Quantify(value);
        case PathOperation::AddNoise:
            return trajectory.AddNoise(value);
    }
    return false;
}

}  // namespace

double ClampPathValue(PathOperation operation, double value) {
    switch (operation) {
        case PathOperation::RemoveAll:
            return 0.0;
        case PathOperation::Resample:
            return ClampResampleDistance(value);
        case PathOperation::Smooth:
            return SmoothRangeOf(value);
        case PathOperation::Quantify:
            return ClampGridSize(value);
        case PathOperation::AddNoise:
            return ClampNoiseLevel(value);
    }
    return value;
}

CPathOperationOutcome ApplyPathOperation(CVKT_ResourceContainer& resources,
                                         const std::vector<int>& items, PathOperation operation,
                                         double value) {
    CPathOperationOutcome outcome;
    for (int index : items) {
        CVKT_Trajectory* trajectory = resources.GetAt<CVKT_Trajectory>(index);
        if (trajectory == nullptr) {
            continue;
        }
        const bool hadPoints = trajectory->Count() > 0;
        if (!Apply(*trajectory, operation, value)) {
            outcome.refused.push_back(index);
        } else if (hadPoints) {
            outcome.changed = true;
        }
    }
    return outcome;
}

bool UpdateCentersOfMass(CVKT_ResourceContainer& resources, const std::vector<int>& items) {
    bool updated = false;
    for (int index : items) {
        if (CVKT_Trajectory* trajectory = resources.GetAt<CVKT_Trajectory>(index)) {
            updated = trajectory->UpdateCenterOfMass() || updated;
        }
    }
    return updated;
}

}  // namespace plexion
