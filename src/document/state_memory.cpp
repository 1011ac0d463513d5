#include "state_memory.h"

#include <algorithm>
#include <cstdint>

namespace plexion {
namespace {

constexpr std::size_t kFirstBlock = 4 * 1024;
constexpr std::size_t kLargestBlock = 1024 * 1024;

}  // namespace

void* CStateMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
    const auto paddingAt = [alignment](const std::byte* place) {
        return (alignment - reinterpret_cast<std::uintptr_t>(place) % alignment) % alignment;
    };
    std::size_t padding = paddingAt(next_);
    if (next_ == nullptr || padding + bytes > left_) {
        // Blocks double up to a largest size; a request beyond it gets a
        // block of its own, so one big text does not set the size of the rest.
        nextBlock_ = nextBlock_ == 0 ? kFirstBlock : std::min(nextBlock_ * 2, kLargestBlock);
        const std::size_t size = std::max(nextBlock_, bytes + alignment);
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        bytes_ += size;
        next_ = blocks_.back().get();
        left_ = size;
        padding = paddingAt(next_);
    }
    void* place = next_ + padding;
    next_ += padding + bytes;
    left_ -= padding + bytes;
    return place;
}

}  // namespace plexion
