#pragma once

#include <memory>

#include "resource.h"

namespace plexion {

enum ResourceKind : int {
    kKindTexts = 0,
    kKindBitmaps = 1,
    kKindSounds = 2,
    kKindIndexLists = 3,
    kKindTrajectories = 4,
    kKindMaps = 5,
    kKindColors = 6,
    kKindBinaryFiles = 7,
};
inline constexpr int kKindCount = 8;

// Where a container gets its prototypes. The document registers its own kinds
// (texts, colors, binary files); the kind libraries register the others once
// at start-up, so that this library depends on none of them.
using KindFactory = std::unique_ptr<CVKT_Resource> (*)();

void RegisterResourceKind(int kind, KindFactory factory);
bool IsResourceKindRegistered(int kind);
// Throws std::logic_error when the kind was never registered.
std::unique_ptr<CVKT_Resource> CreateRegisteredKind(int kind);

class CVKT_ResourceGroup;

// Work a kind does on its whole group once a document is read (decoding
// stored pictures on every core, say). Runs after every load, also one that
// ended early, on the items read.
using GroupLoadedHook = void (*)(CVKT_ResourceGroup&);
void RegisterGroupLoadedHook(int kind, GroupLoadedHook hook);
void RunGroupLoadedHook(int kind, CVKT_ResourceGroup& group);

template <typename T>
std::unique_ptr<CVKT_Resource> MakeResource() {
    return std::make_unique<T>();
}

template <typename T>
void RegisterResourceKind() {
    RegisterResourceKind(T::kKind, &MakeResource<T>);
}

}  // namespace plexion
