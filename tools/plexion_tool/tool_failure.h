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
class CToolFailure : public std::runtime_error {
public:
    CToolFailure(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_;
};

// A command line the tool cannot make sense of.
inline CToolFailure UsageError(const std::string& message) {
    return CToolFailure(kExitUsage, message);
}

}  // namespace plexion::tool
