#include "wmf_player_input.h"

#include "little_endian.h"

#include <algorithm>

namespace plexion {
namespace {

constexpr std::size_t kHeaderMaxRecordOffset = 12;
constexpr std::size_t kHeaderFileWordsOffset = 6;
constexpr std::size_t kHeaderSize = 18;
constexpr std::uint16_t kEofFunction = 0x0000;
constexpr std::uint16_t kFloodFill = 0x0419;
constexpr std::uint16_t kExtFloodFill = 0x0548;
constexpr std::uint32_t kFloodFillWords = 7;
constexpr std::uint16_t kUpToBorder = 0;

void WriteU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

std::vector<std::uint8_t> PrepareWmfForPlayer(std::span<const std::uint8_t> bytes,
                                              const SWmfLayout& layout) {
    const std::vector<std::uint8_t> source(bytes.begin(), bytes.end());
    const std::size_t header = layout.maxRecordFieldOffset - kHeaderMaxRecordOffset;
    std::vector<std::uint8_t> out(source.begin(),
                                  source.begin() + static_cast<long>(header + kHeaderSize));
    std::uint32_t added = 0;
    std::size_t at = header + kHeaderSize;
    // The structure check guarantees whole records up to the end record.
    while (true) {
        const std::uint32_t words = ReadU32(source, at);
        const std::uint16_t function = ReadU16(source, at + 4);
        const std::size_t end = at + std::size_t{words} * 2;
        if (function == kFloodFill && words == kFloodFillWords) {
            AppendU16(out, static_cast<std::uint16_t>(words + 1));
            AppendU16(out, static_cast<std::uint16_t>((words + 1) >> 16));
            AppendU16(out, kExtFloodFill);
            AppendU16(out, kUpToBorder);
            out.insert(out.end(), source.begin() + static_cast<long>(at + 6),
                       source.begin() + static_cast<long>(end));
            ++added;
        } else {
            out.insert(out.end(), source.begin() + static_cast<long>(at),
                       source.begin() + static_cast<long>(end));
        }
        at = end;
        if (function == kEofFunction) {
            break;
        }
    }
    out.insert(out.end(), source.begin() + static_cast<long>(at), source.end());
    WriteU32(out, header + kHeaderFileWordsOffset,
             ReadU32(source, header + kHeaderFileWordsOffset) + added);
    WriteU32(out, layout.maxRecordFieldOffset,
             std::max(layout.largestRecordWords, added > 0 ? kFloodFillWords + 1 : 0));
    return out;
}

}  // namespace plexion
