#include "safe_file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>

#include "temporary_files.h"

namespace plexion {
namespace {

// Long names are cut so that the hidden name stays within a file name's
// limit; the random part keeps it unique.
constexpr std::size_t kMaxVisibleNameBytes = 200;
constexpr int kNameAttempts = 100;
constexpr int kSuffixLength = 6;
// A writer locks its file right after creating it; one younger than this
// may be in that moment, so it is never taken for abandoned.
constexpr time_t kAbandonedAfterSeconds = 60;

std::string RandomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::string suffix(kSuffixLength, 'x');
    for (char& c : suffix) {
        c = kLetters[generator() % (sizeof kLetters - 1)];
    }
    return suffix;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void CloseIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

CSafeFileWriter::~CSafeFileWriter() {
    Abandon();
}

bool CSafeFileWriter::Fail(const std::string& what, int error) {
    errorNumber_ = error;
    error_ = what + ": " + std::strerror(error);
    Abandon();
    return false;
}

void CSafeFileWriter::Abandon() {
    CloseIfOpen(fd_);
    if (!temporary_.empty()) {
        ::unlinkat(folderFd_, temporary_.c_str(), 0);
        temporary_.clear();
    }
    CloseIfOpen(lockFd_);
    UnregisterTemporaryFile(registration_);
    registration_ = -1;
    CloseIfOpen(folderFd_);
}

bool CSafeFileWriter::Open(const std::string& target, ExistingFile existing) {
    Abandon();
    error_.clear();
    errorNumber_ = 0;
    shownTarget_ = target;
    existing_ = existing;
    // Through a link, the file it points to is the one replaced.
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    const std::filesystem::path path = error ? std::filesystem::path(target) : resolved;
    if (path.filename().empty()) {
        return Fail("cannot write \"" + target + "\"", EISDIR);
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    folderFd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        return Fail("cannot create a file in \"" + folder.string() + "\"", errno);
    }
    name_ = path.filename().string();
    return CheckTarget(true) && CreateTemporary();
}

bool CSafeFileWriter::OpenIn(int folderFd, const std::string& name, ExistingFile existing,
                             const std::string& shownAs) {
    Abandon();
    error_.clear();
    errorNumber_ = 0;
    shownTarget_ = shownAs;
    existing_ = existing;
    folderFd_ = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (folderFd_ < 0) {
        return Fail("cannot write \"" + shownAs + "\"", errno);
    }
    name_ = name;
    return CheckTarget(false) && CreateTemporary();
}

bool CSafeFileWriter::CheckTarget(bool followLink) {
    struct stat existing {};
    if (::fstatat(folderFd_, name_.c_str(), &existing, followLink ? 0 : AT_SYMLINK_NOFOLLOW) !=
        0) {
        mode_ = NewFileMode();
        return true;
    }
    if (existing_ == ExistingFile::Keep) {
        return Fail("cannot create \"" + shownTarget_ + "\"", EEXIST);
    }
    if (!S_ISREG(existing.st_mode)) {
        error_ = "cannot replace \"" + shownTarget_ + "\": not a regular file";
        errorNumber_ = EINVAL;
        Abandon();
        return false;
    }
    // Replacing goes through the folder, which the user may write even when
    // the file itself is protected; the file's own permission decides.
    if (::faccessat(folderFd_, name_.c_str(), W_OK, AT_EACCESS) != 0) {
        return Fail("cannot replace \"" + shownTarget_ + "\"", errno);
    }
    // A replaced file keeps its permissions.
    mode_ = existing.st_mode & 07777;
    return true;
}

bool CSafeFileWriter::CreateTemporary() {
    const std::string visible = name_.substr(0, kMaxVisibleNameBytes);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = ".";
        candidate += visible;
        candidate += ".";
        candidate += RandomSuffix();
        fd_ = ::openat(folderFd_, candidate.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            temporary_ = std::move(candidate);
            registration_ = RegisterTemporaryFile(folderFd_, temporary_);
            ::fchmod(fd_, mode_);
            lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
            if (lockFd_ >= 0) {
                ::flock(lockFd_, LOCK_EX | LOCK_NB);
            }
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return Fail("cannot create a file beside \"" + shownTarget_ + "\"", errno);
}

bool CSafeFileWriter::Write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return Fail("cannot write \"" + shownTarget_ + "\"", n < 0 ? errno : EIO);
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool CSafeFileWriter::RenameWithoutReplacing() const {
    if (::renameat2(folderFd_, temporary_.c_str(), folderFd_, name_.c_str(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL) {
        return false;
    }
    // A file system without the flag: a hard link is refused just the same
    // when the name is taken.
    if (::linkat(folderFd_, temporary_.c_str(), folderFd_, name_.c_str(), 0) != 0) {
        return false;
    }
    ::unlinkat(folderFd_, temporary_.c_str(), 0);
    return true;
}

bool CSafeFileWriter::Commit(Durability durability) {
    if (fd_ < 0) {
        return false;
    }
    const bool flush = durability == Durability::OnDisk;
    if (flush && ::fsync(fd_) != 0) {
        return Fail("cannot write \"" + shownTarget_ + "\"", errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        return Fail("cannot write \"" + shownTarget_ + "\"", errno);
    }
    if (existing_ == ExistingFile::Keep) {
        if (!RenameWithoutReplacing()) {
            return Fail("cannot create \"" + shownTarget_ + "\"", errno);
        }
    } else if (::renameat(folderFd_, temporary_.c_str(), folderFd_, name_.c_str()) != 0) {
        return Fail("cannot replace \"" + shownTarget_ + "\"", errno);
    }
    temporary_.clear();
    // The new name reaches the disk only with its folder.
    if (flush) {
        ::fsync(folderFd_);
    }
    Abandon();
    return true;
}

int RemoveAbandonedTemporaries(const std::string& target) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    const std::filesystem::path path = error ? std::filesystem::path(target) : resolved;
    const std::string prefix =
        "." + path.filename().string().substr(0, kMaxVisibleNameBytes) + ".";
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr || path.filename().empty()) {
        if (listing != nullptr) {
            ::closedir(listing);
        }
        return 0;
    }
    const int folderFd = ::dirfd(listing);
    const time_t now = ::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kSuffixLength || !name.starts_with(prefix) ||
            !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)); })) {
            continue;
        }
        const int fd =
            ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime >= kAbandonedAfterSeconds && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlinkat(folderFd, name.c_str(), 0) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    ::closedir(listing);
    return removed;
}

std::string WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                            ExistingFile existing, Durability durability) {
    CSafeFileWriter writer;
    if (writer.Open(path, existing) && writer.Write(bytes) && writer.Commit(durability)) {
        return {};
    }
    return writer.Error();
}

}  // namespace plexion
