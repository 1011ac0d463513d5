#pragma once

// libwmf's headers define U8, U16, U32, S16 and S32 as macros, names Qt's
// own headers use as identifiers. Every file reaches libwmf through this
// header, which drops those macros once libwmf's declarations are read.
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

#undef U8
#undef U16
#undef U32
#undef S16
#undef S32

namespace plexion {

// Ternary raster operations; libwmf spells them with its U32 macro.
inline constexpr unsigned int kRopSrcPaint = 0x00EE0086;
inline constexpr unsigned int kRopSrcAnd = 0x008800C6;
inline constexpr unsigned int kRopSrcInvert = 0x00660046;
inline constexpr unsigned int kRopSrcErase = 0x00440328;
inline constexpr unsigned int kRopNotSrcCopy = 0x00330008;
inline constexpr unsigned int kRopNotSrcErase = 0x001100A6;
inline constexpr unsigned int kRopMergePaint = 0x00BB0226;
inline constexpr unsigned int kRopPatCopy = 0x00F00021;
inline constexpr unsigned int kRopPatInvert = 0x005A0049;
inline constexpr unsigned int kRopDstInvert = 0x00550009;
inline constexpr unsigned int kRopBlackness = 0x00000042;
inline constexpr unsigned int kRopWhiteness = 0x00FF0062;

}  // namespace plexion
