#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace plexion {

// Where the states of one undo step live. A step over many items makes a
// state of each, and later lets them all go at once: taking their memory
// from a few growing blocks, each state and the texts it keeps cost no
// allocation of their own, and letting the step go frees the blocks alone.
// Memory given back is kept until the whole is let go.
class CStateMemory final : public std::pmr::memory_resource {
public:
    CStateMemory() = default;
    CStateMemory(const CStateMemory&) = delete;
    CStateMemory& operator=(const CStateMemory&) = delete;
    ~CStateMemory() override;

    // The bytes of all blocks taken so far.
    std::size_t Bytes() const { return bytes_; }

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t size = 0;
    };
    std::vector<Block> blocks_;
    std::byte* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t nextBlock_ = 0;
    std::size_t bytes_ = 0;
};

// Runs a state's destructor and leaves its memory to the CStateMemory it
// came from.
struct CDestroyInPlace {
    template <typename T>
    void operator()(T* object) const {
        object->~T();
    }
};

template <typename T>
using StatePtr = std::unique_ptr<T, CDestroyInPlace>;

template <typename T, typename... Args>
StatePtr<T> MakeState(CStateMemory& memory, Args&&... args) {
    void* place = memory.allocate(sizeof(T), alignof(T));
    return StatePtr<T>(new (place) T(std::forward<Args>(args)...));
}

// Exchanges an item's field with the copy a state keeps in its memory.
// The state's text keeps its room for the next exchange, so undoing and
// redoing a step again and again does not make its memory grow.
inline void ExchangeKept(std::string& held, std::pmr::string& kept) {
    std::string before = std::move(held);
    held.assign(kept);
    kept.assign(before);
}

}  // namespace plexion
