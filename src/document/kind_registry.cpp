#include "kind_registry.h"

#include <array>
#include <atomic>
#include <stdexcept>
#include <string>

#include "binary_file_item.h"
#include "color_item.h"
#include "text_item.h"

namespace plexion {
namespace {

std::array<std::atomic<KindFactory>, kKindCount>& Factories() {
    static std::array<std::atomic<KindFactory>, kKindCount> factories{};
    static const bool ownKinds = [] {
        factories[kKindTexts] = &MakeResource<CVKT_Text>;
        factories[kKindColors] = &MakeResource<CVKT_Color>;
        factories[kKindBinaryFiles] = &MakeResource<CVKT_BinaryFile>;
        return true;
    }();
    (void)ownKinds;
    return factories;
}

std::array<std::atomic<GroupLoadedHook>, kKindCount>& LoadedHooks() {
    static std::array<std::atomic<GroupLoadedHook>, kKindCount> hooks{};
    return hooks;
}

}  // namespace

void RegisterGroupLoadedHook(int kind, GroupLoadedHook hook) {
    if (kind < 0 || kind >= kKindCount) {
        throw std::out_of_range("resource kind " + std::to_string(kind));
    }
    LoadedHooks()[kind] = hook;
}

void RunGroupLoadedHook(int kind, CVKT_ResourceGroup& group) {
    if (kind < 0 || kind >= kKindCount) {
        return;
    }
    if (const GroupLoadedHook hook = LoadedHooks()[kind].load()) {
        hook(group);
    }
}

void RegisterResourceKind(int kind, KindFactory factory) {
    if (kind < 0 || kind >= kKindCount) {
        throw std::out_of_range("resource kind " + std::to_string(kind));
    }
    Factories()[kind] = factory;
}

bool IsResourceKindRegistered(int kind) {
    return kind >= 0 && kind < kKindCount && Factories()[kind].load() != nullptr;
}

std::unique_ptr<CVKT_Resource> CreateRegisteredKind(int kind) {
    if (!IsResourceKindRegistered(kind)) {
        throw std::logic_error("resource kind " + std::to_string(kind) +
                               " is not registered; call RegisterAllResourceKinds() at start-up");
    }
    return Factories()[kind].load()();
}

}  // namespace plexion
