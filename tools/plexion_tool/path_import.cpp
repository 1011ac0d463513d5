#include "path_import.h"

#include "document_session.h"
#include "tool_failure.h"

namespace plexion::tool {

int ImportPaths(const CToolOptions& options, const PathImporter& import) {
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    std::string failed;
    session.Core().Edit("Insert Files", [&](CVKT_ResourceContainer& resources) {
        for (std::size_t i = 1; i < options.arguments.size() && failed.empty(); ++i) {
            if (import(resources, options.arguments[i]) < 0) {
                failed = options.arguments[i];
            }
        }
        return failed.empty();
    });
    if (!failed.empty()) {
        throw CToolFailure(kExitFileProblem, "cannot read \"" + failed + "\"; nothing was added");
    }
    session.Save();
    return kExitOk;
}

}  // namespace plexion::tool
