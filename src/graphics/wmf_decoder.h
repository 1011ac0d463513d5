#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "metafile_svg.h"

namespace plexion {

// Translates a Windows metafile to SVG with libwmf. The picture's size comes
// from the placeable header's frame, or from the extent of what is drawn when
// there is none. Nothing when the file is malformed or libwmf fails (libwmf
// also fails when it finds none of its standard fonts installed).
std::optional<SMetafileSvg> ConvertWmfToSvg(std::span<const std::uint8_t> bytes);

}  // namespace plexion
