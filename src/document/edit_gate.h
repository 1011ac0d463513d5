#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace plexion {

// The mutex a document's items change under, with a count of the changes:
// another thread may read the items between two changes and learn when one
// came in between.
class CEditGate {
public:
    // Held for the length of one change; the change is counted at once.
    class CChange {
    public:
        explicit CChange(CEditGate& gate) : lock_(gate.mutex_) { ++gate.changes_; }

    private:
        std::lock_guard<std::mutex> lock_;
    };

    std::mutex& Mutex() { return mutex_; }
    std::uint64_t Changes() const { return changes_.load(); }

    // Runs `read` under the mutex when no change was counted since the
    // count was `changes`; whether it ran.
    template <typename Read>
    bool ReadUnchangedSince(std::uint64_t changes, const Read& read) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (changes_.load() != changes) {
            return false;
        }
        read();
        return true;
    }

private:
    std::mutex mutex_;
    std::atomic<std::uint64_t> changes_{0};
};

}  // namespace plexion
