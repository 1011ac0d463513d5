#pragma once

#include <stdexcept>
#include <string>

namespace plexion::tool {

// The exit codes scripts rely on; they never change meaning.
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,
    kExitFileProblem = 2,
    kExitPassword = 3,
    kExitNoSuchItem = 4,
};

// Ends a command with an exit code. An empty message means the problem was
// already reported (the core shows its own messages through the presenter).
// The tool's own messages are shown after its name; a message of the system
// is shown exactly as the editor shows it.
class CToolFailure : public std::runtime_error {
public:
    enum class Origin { Tool, System };
    CToolFailure(int exitCode, const std::string& message, Origin origin = Origin::Tool)
        : std::runtime_error(message), exitCode_(exitCode), origin_(origin) {}
    int ExitCode() const { return exitCode_; }
    Origin MessageOrigin() const { return origin_; }
    // Only a command line the tool could not make sense of points to --help;
    // a command refused for what the document holds says why and no more.
    bool PointsToHelp() const { return pointsToHelp_; }

private:
    friend CToolFailure UsageError(const std::string& message);

    int exitCode_;
    Origin origin_;
    bool pointsToHelp_ = false;
};

// A command line the tool cannot make sense of.
inline CToolFailure UsageError(const std::string& message) {
    CToolFailure failure(kExitUsage, message);
    failure.pointsToHelp_ = true;
    return failure;
}

}  // namespace plexion::tool
