#include "trajectory_commands.h"

#include <string>
#include <vector>

#include "argument_values.h"
#include "document_session.h"
#include "json_writer.h"
#include "path_commands.h"
#include "path_operations.h"
#include "standard_output.h"
#include "text_escape.h"
#include "tool_failure.h"
#include "trajectory_arguments.h"
#include "trajectory_region.h"

namespace plexion::tool {
namespace {

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

struct CPathRequest {
    PathOperation operation;
    double value = 0.0;
};

// "remove-all", or an operation with the VALUE it clamps into its range.
CPathRequest ParsePathRequest(const CToolOptions& options) {
    const std::string& name = options.arguments.at(2);
    const bool hasValue = options.arguments.size() > 3;
    if (name == "remove-all") {
        if (hasValue) {
            throw UsageError("remove-all takes no value");
        }
        return {PathOperation::RemoveAll};
    }
    static const struct {
        const char* name;
        PathOperation operation;
        const char* what;
    } kValued[] = {{"noise", PathOperation::AddNoise, "the noise level"},
                   {"quantify", PathOperation::Quantify, "the grid size"},
                   {"smooth", PathOperation::Smooth, "the smooth range"},
                   {"resample", PathOperation::Resample, "the distance"}};
    for (const auto& valued : kValued) {
        if (name != valued.name) {
            continue;
        }
        if (!hasValue) {
            throw UsageError(name + " needs a VALUE");
        }
        const std::string& text = options.arguments.at(3);
        const double value = valued.operation == PathOperation::Smooth
                                 ? ParseSaturatingInt(text, valued.what)
                                 : ParseSaturatingReal(text, valued.what);
        return {valued.operation, value};
    }
    throw UsageError(
        "the path operation must be remove-all, noise, quantify, smooth or resample, not \"" +
        name + "\"");
}

}  // namespace

int RunAddTrajectory(const CToolOptions& options) {
    const std::vector<CPathPoint> points = ParsePoints(options.Value("--points").value_or(""));
    const auto typeText = options.Value("--type");
    const std::int32_t type = typeText ? ParseType(*typeText) : 0;
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const bool added = session.Core().Edit("Add Trajectory", [&](CVKT_ResourceContainer& resources) {
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
    const CPathRequest request = ParsePathRequest(options);
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const std::string& id = options.arguments.at(1);
    const std::vector<int> item = {TrajectoryIndex(session.Resources(), id)};
    CPathOperationOutcome outcome;
    session.Core().Edit(options.arguments.at(2), [&](CVKT_ResourceContainer& resources) {
        outcome = ApplyPathOperation(resources, item, request.operation, request.value);
        return outcome.changed;
    });
    if (!outcome.refused.empty()) {
        throw CToolFailure(kExitUsage, "resampling \"" + EscapeField(id) +
                                           "\" would make more than " +
                                           std::to_string(kMaxResampledPoints) +
                                           " points; the trajectory is unchanged");
    }
    session.Save();
    return kExitOk;
}

int RunToRegion(const CToolOptions& options) {
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const std::vector<int> selection = NamedTrajectories(session.Resources(), options);
    CRegionConversion conversion;
    session.Core().Edit("Convert to Region", [&](CVKT_ResourceContainer& resources) {
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
    session.OpenForChange(options.arguments.at(0));
    const std::vector<int> chosen = NamedTrajectories(session.Resources(), options);
    std::vector<std::string> lines;
    session.Core().Edit("Center of Mass", [&](CVKT_ResourceContainer& resources) {
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
