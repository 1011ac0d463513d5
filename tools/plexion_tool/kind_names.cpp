#include "kind_names.h"

#include <array>

#include "kind_registry.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

constexpr std::array<const char*, kKindCount> kKindNames = {
    "texts", "bitmaps", "sounds", "animations", "trajectories", "maps", "colors", "files"};

}  // namespace

std::string KindName(int kind) {
    return kKindNames.at(static_cast<std::size_t>(kind));
}

int ParseKind(std::string_view text) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (text == kKindNames[kind] || text == std::to_string(kind)) {
            return kind;
        }
    }
    throw UsageError("unknown KIND \"" + std::string(text) +
                     "\" (use texts, bitmaps, sounds, animations, trajectories, maps, colors, "
                     "files or 0-7)");
}

}  // namespace plexion::tool
