#include "file_stamp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "file_reading.h"

namespace plexion {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 16;
constexpr std::size_t kLanes = 4;
constexpr std::size_t kBlock = kLanes * sizeof(std::uint64_t);
static_assert(kPiece % kBlock == 0);

// A word-wide multiply-xor hash in four independent lanes: it keeps up with
// reading from the page cache, where a byte-wise hash took longer than
// parsing the document. Stamps live only in memory, so any good mix will do.
class CContentHash {
public:
    // Every call but the last gives a multiple of kBlock bytes.
    void Add(const unsigned char* bytes, std::size_t count) {
        std::size_t at = 0;
        for (; at + kBlock <= count; at += kBlock) {
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                lanes_[lane] = Mix(lanes_[lane], WordAt(bytes + at + lane * sizeof(std::uint64_t)));
            }
        }
        for (; at + sizeof(std::uint64_t) <= count; at += sizeof(std::uint64_t)) {
            lanes_[0] = Mix(lanes_[0], WordAt(bytes + at));
        }
        if (at < count) {
            std::uint64_t tail = 0;
            std::memcpy(&tail, bytes + at, count - at);
            lanes_[1] = Mix(lanes_[1], tail ^ (count - at));
        }
    }

    std::uint64_t Value() const {
        std::uint64_t value = lanes_[0];
        for (std::size_t lane = 1; lane < kLanes; ++lane) {
            value = Mix(value, lanes_[lane]);
        }
        return value;
    }

private:
    static std::uint64_t WordAt(const unsigned char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }
    static std::uint64_t Mix(std::uint64_t lane, std::uint64_t word) {
        lane = (lane ^ word) * 0x9E3779B97F4A7C15ull;
        return lane ^ (lane >> 29);
    }

    std::uint64_t lanes_[kLanes] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull,
                                    0xA4093822299F31D0ull, 0x082EFA98EC4E6C89ull};
};

// Fills `piece` unless the file ends first; the count read, or -1.
ssize_t ReadPiece(int fd, std::vector<unsigned char>& piece) {
    std::size_t filled = 0;
    while (filled < piece.size()) {
        const ssize_t n = ::read(fd, piece.data() + filled, piece.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(filled);
}

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
    // Hashed over the bytes actually read, which also gives the size.
    CContentHash hash;
    std::vector<unsigned char> piece(kPiece);
    for (;;) {
        const ssize_t n = ReadPiece(fd, piece);
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        hash.Add(piece.data(), static_cast<std::size_t>(n));
        stamp.size += static_cast<std::uint64_t>(n);
        if (static_cast<std::size_t>(n) < piece.size()) {
            break;
        }
    }
    ::close(fd);
    stamp.hash = hash.Value();
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
