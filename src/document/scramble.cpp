#include "scramble.h"

#include "format_constants.h"

namespace plexion {
namespace {

// Plain per-byte arithmetic (rather than a lookup table) lets the compiler
// vectorise these loops, which matters for megabytes of binary-file data.
inline std::uint8_t TextScrambled(std::uint8_t b) {
    return static_cast<std::uint8_t>((b ^ format::kTextScrambleXor) -
                                     format::kTextScrambleOffset);
}
inline std::uint8_t TextUnscrambled(std::uint8_t s) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(s + format::kTextScrambleOffset) ^
                                     format::kTextScrambleXor);
}
inline std::uint8_t BlockScrambled(std::uint8_t b) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(b - format::kBlockScrambleOffset) ^
                                     format::kBlockScrambleXor);
}
inline std::uint8_t BlockUnscrambled(std::uint8_t s) {
    return static_cast<std::uint8_t>((s ^ format::kBlockScrambleXor) +
                                     format::kBlockScrambleOffset);
}

template <std::uint8_t (*F)(std::uint8_t)>
void MapBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = F(in[i]);
    }
}

template <std::uint8_t (*F)(std::uint8_t)>
std::string MapText(std::string text) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(text.data());
    MapBytes<F>(bytes, bytes, text.size());
    return text;
}

}  // namespace

std::string ScrambleText(std::string text) {
    return MapText<TextScrambled>(std::move(text));
}
std::string UnscrambleText(std::string text) {
    return MapText<TextUnscrambled>(std::move(text));
}

void ScrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    MapBytes<BlockScrambled>(in, out, size);
}
void UnscrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    MapBytes<BlockUnscrambled>(in, out, size);
}

std::uint32_t MaskColor(std::uint32_t value) {
    return value ^ format::kColorMask;
}

}  // namespace plexion
