#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "file_stamp.h"
#include "temp_dir.h"

namespace plexion {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return bytes;
}

// Whether `bytes` written at `path` stamp as the content `known` saw. The
// stamps are compared directly: a rewrite within one tick of the file
// system's clock would hide a change from the modification time.
bool SameContent(const std::string& path, const std::vector<std::uint8_t>& bytes,
                 const SFileStamp& known) {
    test::WriteFileBytes(path, bytes);
    const std::optional<SFileStamp> now = StampOfFile(path);
    return now && now->SameContentAs(known);
}

// One byte changed anywhere - inside a word, at a word's end, in the short
// tail, across the reading pieces - is a change; the same bytes written
// again are not.
TEST(FileStamp, ASingleChangedByteAnywhereIsAChange) {
    test::CTempDir dir;
    const std::string path = dir.File("d.dat");
    const std::size_t pieceSize = std::size_t{1} << 16;
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{40},
                                   pieceSize + 13}) {
        const std::vector<std::uint8_t> original = Pattern(size);
        test::WriteFileBytes(path, original);
        const std::optional<SFileStamp> stamp = StampOfFile(path);
        ASSERT_TRUE(stamp);
        EXPECT_EQ(stamp->size, size);
        EXPECT_TRUE(SameContent(path, original, *stamp)) << size;
        for (const std::size_t at : {std::size_t{0}, size / 2, size - 1, std::size_t{8},
                                     std::size_t{31}, pieceSize - 1, pieceSize + 1}) {
            if (at >= size) {
                continue;
            }
            std::vector<std::uint8_t> changed = original;
            changed[at] ^= 0x40;
            EXPECT_FALSE(SameContent(path, changed, *stamp)) << size << " at " << at;
        }
    }
    // Words swapped between lanes keep the bytes but not the content.
    std::vector<std::uint8_t> words = Pattern(64);
    test::WriteFileBytes(path, words);
    const std::optional<SFileStamp> stamp = StampOfFile(path);
    ASSERT_TRUE(stamp);
    std::swap_ranges(words.begin(), words.begin() + 8, words.begin() + 8);
    EXPECT_FALSE(SameContent(path, words, *stamp));
}

}  // namespace
}  // namespace plexion
