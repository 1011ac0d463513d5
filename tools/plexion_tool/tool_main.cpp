#include "tool_main.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "command_table.h"
#include "paths.h"
#include "picture_decoding.h"
#include "plexion_version.h"
#include "qt_messages.h"
#include "temporary_files.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

int Run(const std::vector<std::string>& words) {
    const CToolOptions options = ParseToolOptions(words);
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    }
    if (options.version) {
        std::fputs("plexion-tool (Plexion) " PLEXION_VERSION "\n", stdout);
        return kExitOk;
    }
    return RunCommand(options);
}

void Report(const CToolFailure& failure) {
    if (*failure.what()) {
        const bool own = failure.MessageOrigin() == CToolFailure::Origin::Tool;
        std::fprintf(stderr, "%s%s\n", own ? "plexion-tool: " : "", failure.what());
    }
    if (failure.PointsToHelp()) {
        std::fputs("Try \"plexion-tool --help\".\n", stderr);
    }
}

}  // namespace

int ToolMain(int argc, char** argv) {
    plexion::SetExecutablePath(argv[0]);
    plexion::RegisterAllResourceKinds();
    plexion::SetStoredPictureDecoding(plexion::EStoredPictureDecoding::WhenAsked);
    plexion::InstallTemporaryFileCleanup();
    RouteQtMessagesToToolLines();
    int code = kExitOk;
    try {
        code = Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const CToolFailure& failure) {
        Report(failure);
        code = failure.ExitCode();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plexion-tool: %s\n", error.what());
        code = kExitFileProblem;
    }
    if (std::fflush(stdout) != 0 && code == kExitOk) {
        std::fputs("plexion-tool: cannot write to standard output\n", stderr);
        code = kExitFileProblem;
    }
    return code;
}

}  // namespace plexion::tool
