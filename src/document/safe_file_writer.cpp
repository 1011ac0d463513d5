#include "safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace plexion {

CSafeFileWriter::~CSafeFileWriter() {
    Abandon();
}

bool CSafeFileWriter::Fail(const std::string& what) {
    error_ = what + ": " + std::strerror(errno);
    Abandon();
    return false;
}

void CSafeFileWriter::SyncFolder() const {
    // The rename itself reaches the disk only with its folder.
    const std::filesystem::path path(target_);
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void CSafeFileWriter::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool CSafeFileWriter::Open(const std::string& target) {
    Abandon();
    // Through a link, the file it points to is the one replaced.
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    const std::filesystem::path path = error ? std::filesystem::path(target) : resolved;
    target_ = path.string();
    if (path.filename().empty()) {
        errno = EISDIR;
        return Fail("cannot write \"" + target + "\"");
    }
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        error_ = "cannot replace \"" + target + "\": not a regular file";
        Abandon();
        return false;
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // Built by appending: GCC 12 at -O3 misreports "." + string as an overlapping copy.
    std::string hidden = ".";
    hidden += path.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) {
        return Fail("cannot create a file in \"" + folder.string() + "\"");
    }
    temporary_ = name.data();
    // A replaced document keeps its permissions; a new one gets the usual ones.
    mode_t mode = 0;
    if (::stat(target_.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
    return true;
}

bool CSafeFileWriter::Commit() {
    if (fd_ < 0) {
        return false;
    }
    if (::fsync(fd_) != 0) {
        return Fail("cannot write \"" + target_ + "\"");
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        return Fail("cannot write \"" + target_ + "\"");
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return Fail("cannot replace \"" + target_ + "\"");
    }
    temporary_.clear();
    SyncFolder();
    return true;
}

}  // namespace plexion
