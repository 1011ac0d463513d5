#include "temporary_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

namespace plexion {
namespace {

constexpr std::size_t kSlotCount = 64;
constexpr std::size_t kNameBytes = 256;

enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };

// Filled before it is marked ready, so the signal handler reads only whole
// entries; the handler itself uses nothing but async-signal-safe calls.
struct STemporarySlot {
    std::atomic<int> state{kFree};
    int folderFd = -1;
    char name[kNameBytes] = {};
};

std::array<STemporarySlot, kSlotCount>& Slots() {
    static std::array<STemporarySlot, kSlotCount> slots;
    return slots;
}

extern "C" void RemoveTemporaryFilesAndEnd(int signal) {
    for (STemporarySlot& slot : Slots()) {
        if (slot.state.load() == kReady) {
            ::unlinkat(slot.folderFd, slot.name, 0);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void InstallTemporaryFileCleanup() {
    static std::once_flag once;
    std::call_once(once, [] {
        Slots();
        struct sigaction action {};
        action.sa_handler = &RemoveTemporaryFilesAndEnd;
        sigemptyset(&action.sa_mask);
        sigaddset(&action.sa_mask, SIGINT);
        sigaddset(&action.sa_mask, SIGTERM);
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
    });
}

int RegisterTemporaryFile(int folderFd, const std::string& name) {
    if (name.size() >= kNameBytes) {
        return -1;
    }
    auto& slots = Slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            slots[i].folderFd = folderFd;
            std::memcpy(slots[i].name, name.c_str(), name.size() + 1);
            slots[i].state.store(kReady);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void UnregisterTemporaryFile(int handle) {
    if (handle >= 0 && static_cast<std::size_t>(handle) < kSlotCount) {
        Slots()[static_cast<std::size_t>(handle)].state.store(kFree);
    }
}

}  // namespace plexion
