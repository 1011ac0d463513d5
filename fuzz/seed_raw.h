#pragma once

#include <filesystem>

namespace plexion_fuzz {

// Writes seeds whose layout the saver never produces: old headers, repeated
// and unknown chunks, bitmap records of every stored kind, old payload
// versions and long-form string lengths.
void WriteComposedSeeds(const std::filesystem::path& folder);

}  // namespace plexion_fuzz
