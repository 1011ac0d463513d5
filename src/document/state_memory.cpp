#include "state_memory.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

namespace plexion {
namespace {

// Small enough that a step of one small edit keeps little more than its state.
constexpr std::size_t kFirstBlock = 256;
constexpr std::size_t kLargestBlock = 1024 * 1024;
// Largest blocks kept for the next steps when a step is let go: a large
// edit lets its oldest step go as it makes its own, and blocks fresh from
// the system cost a page fault for every page.
constexpr std::size_t kSpareBlocks = 32;

class CSpareBlocks {
public:
    std::unique_ptr<std::byte[]> Take() {
        const std::lock_guard lock(mutex_);
        if (blocks_.empty()) {
            return nullptr;
        }
        std::unique_ptr<std::byte[]> block = std::move(blocks_.back());
        blocks_.pop_back();
        return block;
    }

    void Keep(std::unique_ptr<std::byte[]> block) {
        const std::lock_guard lock(mutex_);
        if (blocks_.size() < kSpareBlocks) {
            blocks_.push_back(std::move(block));
        }
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
};

// Never destroyed: a step let go on a worker while the program ends still
// finds it.
CSpareBlocks& Spares() {
    static auto* const spares = new CSpareBlocks;
    return *spares;
}

}  // namespace

CStateMemory::~CStateMemory() {
    for (Block& block : blocks_) {
        if (block.size == kLargestBlock) {
            Spares().Keep(std::move(block.bytes));
        }
    }
}

void* CStateMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
    // Alignments are powers of two: a mask, where a remainder would divide.
    const auto paddingAt = [alignment](const std::byte* place) {
        return static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(place)) &
               (alignment - 1);
    };
    std::size_t padding = paddingAt(next_);
    if (next_ == nullptr || padding + bytes > left_) {
        // Blocks double up to a largest size; a request beyond it gets a
        // block of its own, so one big text does not set the size of the rest.
        nextBlock_ = nextBlock_ == 0 ? kFirstBlock : std::min(nextBlock_ * 2, kLargestBlock);
        const std::size_t size = std::max(nextBlock_, bytes + alignment);
        std::unique_ptr<std::byte[]> spare = size == kLargestBlock ? Spares().Take() : nullptr;
        blocks_.push_back({spare ? std::move(spare) : std::make_unique_for_overwrite<std::byte[]>(size),
                           size});
        bytes_ += size;
        next_ = blocks_.back().bytes.get();
        left_ = size;
        padding = paddingAt(next_);
    }
    void* place = next_ + padding;
    next_ += padding + bytes;
    left_ -= padding + bytes;
    return place;
}

}  // namespace plexion
