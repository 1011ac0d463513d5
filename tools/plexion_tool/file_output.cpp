#include "file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "safe_file_writer.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

CToolFailure FolderFailure(const std::filesystem::path& folder, const std::string& why) {
    return CToolFailure(kExitFileProblem,
                        "cannot use the folder \"" + folder.string() + "\": " + why);
}

}  // namespace

void WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string error = WriteFileSafely(path, bytes);
    if (!error.empty()) {
        throw CToolFailure(kExitFileProblem, error);
    }
}

COutputFolder::COutputFolder(const std::filesystem::path& chosen, const std::string& sub)
    : path_(chosen / sub) {
    std::error_code error;
    std::filesystem::create_directories(chosen, error);
    // The chosen folder may itself be a link: the user named it.
    const int chosenFd = ::open(chosen.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (chosenFd < 0) {
        throw FolderFailure(chosen, std::strerror(errno));
    }
    if (::mkdirat(chosenFd, sub.c_str(), 0777) != 0 && errno != EEXIST) {
        const int why = errno;
        ::close(chosenFd);
        throw FolderFailure(path_, std::strerror(why));
    }
    fd_ = ::openat(chosenFd, sub.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int why = errno;
    ::close(chosenFd);
    if (fd_ < 0) {
        throw FolderFailure(path_, why == ELOOP || why == ENOTDIR
                                       ? "it is a symbolic link or not a folder; not followed"
                                       : std::strerror(why));
    }
}

COutputFolder::~COutputFolder() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int COutputFolder::WriteNew(const std::string& name, std::span<const std::uint8_t> bytes,
                            std::string& why) {
    return Write(name, bytes, ExistingFile::Keep, why);
}

int COutputFolder::Write(const std::string& name, std::span<const std::uint8_t> bytes,
                         ExistingFile existing, std::string& why) {
    CSafeFileWriter writer;
    const std::string shown = (path_ / name).string();
    if (writer.OpenIn(fd_, name, existing, shown) && writer.Write(bytes) && writer.Commit()) {
        return 0;
    }
    why = writer.Error();
    return writer.ErrorNumber();
}

}  // namespace plexion::tool
