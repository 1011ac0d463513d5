#include "document_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

namespace plexion {
namespace {

constexpr std::chrono::milliseconds kFirstPause{5};
constexpr std::chrono::milliseconds kLongestPause{100};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

CDocumentLock::Outcome CDocumentLock::Fail(Outcome outcome, const std::string& message) {
    Release();
    error_ = message;
    return outcome;
}

CDocumentLock::Outcome CDocumentLock::Acquire(const std::string& path,
                                              std::chrono::milliseconds wait) {
    Release();
    error_.clear();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause = kFirstPause;
    for (;;) {
        // Not blocking: a named pipe must not make the open wait for a writer.
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            return Fail(error == ENOENT ? Outcome::Missing : Outcome::Failed,
                        "cannot open \"" + path + "\": " + std::strerror(error));
        }
        struct stat held {};
        if (::fstat(fd_, &held) != 0 || !S_ISREG(held.st_mode)) {
            return Fail(Outcome::Failed,
                        "cannot change \"" + path + "\": not a regular file");
        }
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            struct stat named {};
            if (::stat(path.c_str(), &named) == 0 && SameFile(named, held)) {
                return Outcome::Locked;
            }
            // Replaced while we waited: lock what the name means now.
            Release();
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            return Fail(Outcome::Failed,
                        "cannot lock \"" + path + "\": " + std::strerror(error));
        }
        Release();
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return Fail(Outcome::Busy, "\"" + path +
                                           "\" is being changed by another program; "
                                           "nothing was changed, try again");
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestPause);
    }
}

void CDocumentLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace plexion
