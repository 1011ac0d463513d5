#include "file_stamp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "file_reading.h"

namespace plexion {
namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr std::size_t kPiece = std::size_t{1} << 16;

bool SameFileUnchanged(const SFileStamp& a, const struct stat& b) {
    return a.device == static_cast<std::uint64_t>(b.st_dev) &&
           a.inode == static_cast<std::uint64_t>(b.st_ino) &&
           a.size == static_cast<std::uint64_t>(b.st_size) &&
           a.modifiedNs == std::int64_t{b.st_mtim.tv_sec} * 1000000000 + b.st_mtim.tv_nsec;
}

}  // namespace

std::optional<SFileStamp> StampOfFile(const std::string& path) {
    const int fd = OpenForReading(path);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    SFileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.modifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    // FNV-1a over the bytes actually read, which also gives the size.
    std::uint64_t hash = kFnvOffset;
    std::vector<unsigned char> piece(kPiece);
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            hash = (hash ^ piece[static_cast<std::size_t>(i)]) * kFnvPrime;
        }
        stamp.size += static_cast<std::uint64_t>(n);
    }
    ::close(fd);
    stamp.hash = hash;
    return stamp;
}

bool FileChangedSince(const std::string& path, const std::optional<SFileStamp>& known) {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (!known || !exists) {
        return known.has_value() != exists;
    }
    if (SameFileUnchanged(*known, info)) {
        return false;
    }
    const std::optional<SFileStamp> now = StampOfFile(path);
    return !now || !now->SameContentAs(*known);
}

}  // namespace plexion
