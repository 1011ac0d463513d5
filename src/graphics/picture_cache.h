#pragma once

#include <QByteArray>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <optional>

#include "decoded_picture.h"

namespace plexion {

// Decoded pictures by a digest of the bytes they came from, the least
// recently used given up first once their pixels pass a bound. Pixels are
// shared with the bitmaps that hold them, so a cached picture costs memory
// of its own only after its bitmaps are gone. Safe from several threads.
class CPictureCache {
public:
    static constexpr std::int64_t kMaxBytes = std::int64_t{512} * 1024 * 1024;

    static CPictureCache& Instance();
    std::optional<SDecodedPicture> Find(const QByteArray& digest);
    void Keep(const QByteArray& digest, const SDecodedPicture& picture);

private:
    struct SEntry {
        QByteArray digest;
        SDecodedPicture picture;
    };

    std::mutex mutex_;
    // Most recently used first.
    std::list<SEntry> entries_;
    std::map<QByteArray, std::list<SEntry>::iterator> index_;
    std::int64_t bytes_ = 0;
};

}  // namespace plexion
