#pragma once

#include <span>

namespace plexion {
class CVKT_ResourceContainer;
}  // namespace plexion

namespace plexion_fuzz {

// Adds a few items of one kind, with values that reach the unusual parts of
// its record (long texts, odd sizes, empty and negative values).
struct CSeedFiller {
    const char* name;
    void (*fill)(plexion::CVKT_ResourceContainer&);
};

std::span<const CSeedFiller> SeedFillers();

}  // namespace plexion_fuzz
