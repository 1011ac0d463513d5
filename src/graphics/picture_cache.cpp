#include "picture_cache.h"

namespace plexion {
namespace {

std::int64_t BytesOf(const SDecodedPicture& picture) {
    return static_cast<std::int64_t>(picture.image.sizeInBytes());
}

}  // namespace

CPictureCache& CPictureCache::Instance() {
    static CPictureCache cache;
    return cache;
}

std::optional<SDecodedPicture> CPictureCache::Find(const QByteArray& digest) {
    const std::lock_guard lock(mutex_);
    const auto found = index_.find(digest);
    if (found == index_.end()) {
        return std::nullopt;
    }
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->picture;
}

void CPictureCache::Keep(const QByteArray& digest, const SDecodedPicture& picture) {
    const std::int64_t bytes = BytesOf(picture);
    if (bytes > kMaxBytes) {
        return;
    }
    const std::lock_guard lock(mutex_);
    if (index_.count(digest) != 0) {
        return;
    }
    entries_.push_front({digest, picture});
    index_[digest] = entries_.begin();
    bytes_ += bytes;
    while (bytes_ > kMaxBytes) {
        bytes_ -= BytesOf(entries_.back().picture);
        index_.erase(entries_.back().digest);
        entries_.pop_back();
    }
}

}  // namespace plexion
