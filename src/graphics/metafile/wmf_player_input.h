#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "metafile_structure.h"

namespace plexion {

// The bytes of a checked Windows metafile as libwmf is given them:
// - the header's largest record is the true one, since libwmf sizes its
//   record buffer from that claim;
// - flood fills are written as extended flood fills up to a border, which
//   they are, because libwmf reads the plain record as if it had the
//   extended one's extra word and refuses the whole file as too short.
std::vector<std::uint8_t> PrepareWmfForPlayer(std::span<const std::uint8_t> bytes,
                                              const SWmfLayout& layout);

}  // namespace plexion
