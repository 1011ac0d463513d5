#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <memory_resource>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
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

// Bytes a state keeps in its CStateMemory; nothing to destroy, they go
// with the memory.
class CKeptBytes {
public:
    std::string_view View() const { return {data_, size_}; }
    std::size_t Size() const { return size_; }
    // Keeps the room it has when `bytes` fit in it, so exchanging a field
    // back and forth (undo, redo, again) does not make the memory grow.
    // Lengths are kept in 32 bits, which no stored text exceeds: a state
    // is kept for every item a step changes.
    void Assign(CStateMemory& memory, std::string_view bytes) {
        if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("text too long to be kept for undoing");
        }
        const auto size = static_cast<std::uint32_t>(bytes.size());
        if (size > capacity_) {
            data_ = static_cast<char*>(memory.allocate(size, 1));
            capacity_ = size;
        }
        if (size > 0) {
            std::memcpy(data_, bytes.data(), size);
        }
        size_ = size;
    }

private:
    char* data_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};

// Exchanges an item's field with the copy a state keeps. Whatever may fail
// comes first: when memory runs out, both keep what they held.
inline void ExchangeKept(CStateMemory& memory, std::string& held, CKeptBytes& kept) {
    std::string next(kept.View());
    kept.Assign(memory, held);
    held.swap(next);
}

}  // namespace plexion
