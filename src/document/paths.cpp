#include "paths.h"

#include <filesystem>
#include <mutex>
#include <system_error>

namespace plexion {
namespace {

std::mutex& ExecutableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& ExecutableSlot() {
    static std::string path;
    return path;
}

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

}  // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    if (separator != std::string::npos) {
        return path.substr(separator + 1);
    }
    const bool bareDrive = path.size() == 2 && path[1] == ':';
    return bareDrive ? std::string() : path;
}

std::string FileTitleOf(const std::string& path) {
    std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}

std::string ExtensionOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void SetExecutablePath(std::string path) {
    std::lock_guard lock(ExecutableMutex());
    ExecutableSlot() = std::move(path);
}

std::string ExecutablePath() {
    std::lock_guard lock(ExecutableMutex());
    if (ExecutableSlot().empty()) {
        std::error_code error;
        ExecutableSlot() = std::filesystem::read_symlink("/proc/self/exe", error).string();
    }
    return ExecutableSlot();
}

std::string ResolveResourcePath(const std::string& name) {
    if (name.find_first_of(":\\/") != std::string::npos) {
        return name;
    }
    const std::string executable = ExecutablePath();
    const std::size_t separator = LastSeparator(executable);
    if (separator == std::string::npos) {
        return name;
    }
    return executable.substr(0, separator + 1) + name;
}

}  // namespace plexion
