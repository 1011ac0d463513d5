#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plexion {

// What a file was when it was read or written: which file (device, inode),
// its size and modification time, and a hash of its bytes. Two stamps with
// the same hash are the same content even when the file was rewritten or
// touched, so that only a real change counts as one.
struct SFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t hash = 0;

    // The same file unchanged, or another file with the same bytes.
    bool SameContentAs(const SFileStamp& other) const {
        return size == other.size && hash == other.hash;
    }
};

// The stamp of the regular file at `path` now; nothing when there is none
// or it cannot be read.
std::optional<SFileStamp> StampOfFile(const std::string& path);

// Whether the file at `path` holds something other than what `known` saw:
// true when it changed, appeared or went away.
bool FileChangedSince(const std::string& path, const std::optional<SFileStamp>& known);

}  // namespace plexion
