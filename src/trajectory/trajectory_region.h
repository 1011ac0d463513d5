#pragma once

#include <string>
#include <vector>

namespace plexion {

class CVKT_ResourceContainer;

inline constexpr const char* kNewRegionId = "New Region";

struct CRegionConversion {
    // The new bitmap, or -1 when the conversion was refused.
    int bitmapIndex = -1;
    // Why it was refused.
    std::string problem;
};

// Convert Trajectories to Region: a new "New Region" bitmap at the end of the
// bitmaps holding the union of the selected trajectories (indexes in
// selection order) as even-odd polygons of their points truncated to whole
// pixels, without the offsets; trajectories of fewer than 3 points add
// nothing. Its comments name every selected trajectory.
//
// Refused, with nothing created, when a point lies beyond the coordinates a
// region can hold, when a shape is taller than a polygon region can be made,
// or when the polygons would make more region rectangles than memory should
// be asked for.
CRegionConversion ConvertTrajectoriesToRegion(CVKT_ResourceContainer& resources,
                                              const std::vector<int>& selection);

}  // namespace plexion
