#include "trajectory_commands.h"

#include <functional>
#include <string>
#include <vector>

#include "argument_values.h"
#include "document_session.h"
#include "json_writer.h"
#include "path_operations.h"
#include "standard_output.h"
#include "text_escape.h"
#include "tool_failure.h"
#include "trajectory_arguments.h"
#include "trajectory_region.h"

namespace plexion::tool {
namespace {

using PathOperation = std::function<bool(CVKT_Trajectory&)>;

int TrajectoryIndex(const CVKT_ResourceContainer& resources, const std::string& id) {
    const int index = resources.Find<CVKT_Trajectory>(id);
    if (index < 0) {
        throw CToolFailure(kExitNoSuchItem,
                           "no trajectory with the ID \"" + EscapeField(id) + "\"");
    }
    return index;
}

// The trajectories named by the arguments from the second on, in the order
// given; an unknown ID ends the command before anything changes.
std::vector<int> NamedTrajectories(const CVKT_ResourceContainer& resources,
                                   const CToolOptions& options) {
    std::vector<int> indexes;
    for (std::size_t i = 1; i < options.arguments.size(); ++i) {
        indexes.push_back(TrajectoryIndex(resources, options.arguments[i]));
    }
    return indexes;
}

std::int32_t ParseType(const std::string& text) {
    const int type = ParseIndex(text, "--type");
    if (type < 0 || type >= CVKT_Trajectory::kTypeCount) {
        throw UsageError("--type must be 0 (" + CVKT_Trajectory::TypeName(0) + "), 1 (" +
                         CVKT_Trajectory::TypeName(1) + ") or 2 (" + CVKT_Trajectory::TypeName(2) +
                         "), not " + text);
    }
    return type;
}

PathOperation ParsePathOperation(const std::string& name, const std::string& value) {
    if (name == "noise") {
        const double level = ParseReal(value, "the noise level");
        return [level](CVKT_Trajectory& t) { return t.AddNoise(level); };
    }
    if (name == "quantify") {
        const double grid = ParseReal(value, "the grid size");
        return [grid](CVKT_Trajectory& t) { return t.Quantify(grid); };
    }
    if (name == "smooth") {
        const int range = ParseIndex(value, "the smooth range");
        return [range](CVKT_Trajectory& t) { return t.Smooth(range); };
    }
    if (name == "resample") {
        const double distance = ParseReal(value, "the distance");
        return [distance](CVKT_Trajectory& t) { return t.Resample(distance); };
    }
    throw UsageError("the path operation must be noise, quantify, smooth or resample, not \"" +
                     name + "\"");
}

}  // namespace

int RunAddTrajectory(const CToolOptions& options) {
    const std::vector<CPathPoint> points = ParsePoints(options.Value("--points").value_or(""));
    const auto typeText = options.Value("--type");
    const std::int32_t type = typeText ? ParseType(*typeText) : 0;
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const bool added = session.Core().Edit([&](CVKT_ResourceContainer& resources) {
        auto* trajectory = resources.GetAt<CVKT_Trajectory>(
            resources.New<CVKT_Trajectory>(options.arguments.at(1)));
        if (!trajectory) {
            return false;
        }
        for (const CPathPoint& p : points) {
            trajectory->AddPoint(p.x, p.y);
        }
        trajectory->SetType(type);
        trajectory->SetClosedShape(options.Has("--closed") ? 1 : 0);
        trajectory->UpdateBounds();
        return true;
    });
    if (!added) {
        throw CToolFailure(kExitFileProblem, "cannot add the trajectory");
    }
    session.Save();
    return kExitOk;
}

int RunPath(const CToolOptions& options) {
    const PathOperation operation =
        ParsePathOperation(options.arguments.at(2), options.arguments.at(3));
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    CVKT_ResourceContainer& resources = session.Core().Resources();
    CVKT_Trajectory* trajectory =
        resources.GetAt<CVKT_Trajectory>(TrajectoryIndex(resources, options.arguments.at(1)));
    if (!session.Core().Edit([&](CVKT_ResourceContainer&) { return operation(*trajectory); })) {
        throw CToolFailure(kExitUsage, "resampling \"" + EscapeField(trajectory->ID()) +
                                           "\" would make more than " +
                                           std::to_string(kMaxResampledPoints) +
                                           " points; the trajectory is unchanged");
    }
    session.Save();
    return kExitOk;
}

int RunToRegion(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::vector<int> selection = NamedTrajectories(session.Resources(), options);
    CRegionConversion conversion;
    session.Core().Edit([&](CVKT_ResourceContainer& resources) {
        conversion = ConvertTrajectoriesToRegion(resources, selection);
        return conversion.bitmapIndex >= 0;
    });
    if (conversion.bitmapIndex < 0) {
        throw CToolFailure(kExitUsage, EscapeField(conversion.problem));
    }
    session.Save();
    return kExitOk;
}

int RunCenterOfMass(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const std::vector<int> chosen = NamedTrajectories(session.Resources(), options);
    std::vector<std::string> lines;
    session.Core().Edit([&](CVKT_ResourceContainer& resources) {
        for (int index : chosen) {
            CVKT_Trajectory* trajectory = resources.GetAt<CVKT_Trajectory>(index);
            trajectory->UpdateCenterOfMass();
            const CPathPoint center = trajectory->CenterOfMass();
            lines.push_back(EscapeField(trajectory->ID()) + '\t' + JsonReal(center.x) + '\t' +
                            JsonReal(center.y));
        }
        return true;
    });
    session.Save();
    for (const std::string& line : lines) {
        PrintLine(line);
    }
    return kExitOk;
}

}  // namespace plexion::tool
