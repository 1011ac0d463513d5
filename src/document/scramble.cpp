#include "scramble.h"

#include <array>

#include "format_constants.h"

namespace plexion {
namespace {

using Table = std::array<std::uint8_t, 256>;

template <typename F>
constexpr Table MakeTable(F f) {
    Table t{};
    for (int b = 0; b < 256; ++b) {
        t[b] = static_cast<std::uint8_t>(f(static_cast<std::uint8_t>(b)));
    }
    return t;
}

constexpr Table kTextScramble = MakeTable(
    [](std::uint8_t b) { return (b ^ format::kTextScrambleXor) - format::kTextScrambleOffset; });
constexpr Table kTextUnscramble = MakeTable([](std::uint8_t s) {
    return static_cast<std::uint8_t>(s + format::kTextScrambleOffset) ^ format::kTextScrambleXor;
});
constexpr Table kBlockScramble = MakeTable([](std::uint8_t b) {
    return static_cast<std::uint8_t>(b - format::kBlockScrambleOffset) ^ format::kBlockScrambleXor;
});
constexpr Table kBlockUnscramble = MakeTable(
    [](std::uint8_t s) { return (s ^ format::kBlockScrambleXor) + format::kBlockScrambleOffset; });

std::string MapText(std::string text, const Table& table) {
    for (char& c : text) {
        c = static_cast<char>(table[static_cast<std::uint8_t>(c)]);
    }
    return text;
}

void MapBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size, const Table& table) {
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = table[in[i]];
    }
}

}  // namespace

std::string ScrambleText(std::string text) {
    return MapText(std::move(text), kTextScramble);
}
std::string UnscrambleText(std::string text) {
    return MapText(std::move(text), kTextUnscramble);
}

void ScrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    MapBlock(in, out, size, kBlockScramble);
}
void UnscrambleBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t size) {
    MapBlock(in, out, size, kBlockUnscramble);
}

std::uint32_t MaskColor(std::uint32_t value) {
    return value ^ format::kColorMask;
}

}  // namespace plexion
