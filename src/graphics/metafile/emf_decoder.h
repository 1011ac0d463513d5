#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "metafile_svg.h"

namespace plexion {

// Translates an enhanced metafile to SVG with libemf2svg. The picture's size
// is its header frame; when the frame is empty, its device bounds. Nothing
// when the file is malformed or the translation fails; `tooMuchWork` is set
// when it holds more records than a picture may.
std::optional<SMetafileSvg> ConvertEmfToSvg(std::span<const std::uint8_t> bytes,
                                            bool& tooMuchWork);

}  // namespace plexion
