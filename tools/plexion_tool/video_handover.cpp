#include "video_handover.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tool_failure.h"

namespace plexion::tool {
namespace {

constexpr const char* kHelperName = "plexion-tool-video";

CVideoCommands& Registered() {
    static CVideoCommands commands;
    return commands;
}

// Beside plexion-tool in a build, in the private program folder once
// installed (PLEXION_TOOL_HELPER_FOLDER is that folder relative to the
// installed plexion-tool's).
std::filesystem::path HelperPath() {
    std::error_code error;
    const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw CToolFailure(kExitFileProblem,
                           std::string("cannot find where plexion-tool is: ") + error.message());
    }
    const std::filesystem::path beside = tool.parent_path() / kHelperName;
    if (std::filesystem::exists(beside, error)) {
        return beside;
    }
    return (tool.parent_path() / PLEXION_TOOL_HELPER_FOLDER / kHelperName).lexically_normal();
}

[[noreturn]] void HandOver(const CToolOptions& options) {
    const std::filesystem::path helper = HelperPath();
    std::vector<std::string> words = {"plexion-tool"};
    words.insert(words.end(), options.words.begin(), options.words.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::fflush(nullptr);
    execv(helper.c_str(), argv.data());
    throw CToolFailure(kExitFileProblem, "cannot run " + helper.string() + " for " +
                                             options.command + ": " + std::strerror(errno));
}

int Run(CommandRun registered, const CToolOptions& options) {
    if (registered == nullptr) {
        HandOver(options);
    }
    return registered(options);
}

}  // namespace

void UseVideoCommands(const CVideoCommands& commands) {
    Registered() = commands;
}

int RunImagesToAviCommand(const CToolOptions& options) {
    return Run(Registered().imagesToAvi, options);
}

int RunAviToImagesCommand(const CToolOptions& options) {
    return Run(Registered().aviToImages, options);
}

int RunCodecsCommand(const CToolOptions& options) {
    return Run(Registered().codecs, options);
}

}  // namespace plexion::tool
