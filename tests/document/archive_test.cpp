#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "archive.h"
#include "archive_bytes.h"
#include "scramble.h"
#include "temp_dir.h"

namespace plexion {
namespace {

using test::ArchiveBytes;

std::vector<std::uint8_t> PrefixOf(std::size_t length) {
    const auto bytes = ArchiveBytes([&](CArchive& a) { a.WriteString(std::string(length, 'x')); });
    return {bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(length)};
}

TEST(Archive, StringLengthPrefixesUseTheShortestForm) {
    EXPECT_EQ(PrefixOf(0), (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(PrefixOf(254), (std::vector<std::uint8_t>{0xFE}));
    EXPECT_EQ(PrefixOf(255), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(PrefixOf(65533), (std::vector<std::uint8_t>{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(PrefixOf(65534), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}));
    EXPECT_EQ(PrefixOf(70000).size(), 7u);
}

TEST(Archive, ReadsEveryPrefixFormWhateverTheLength) {
    const std::vector<std::uint8_t> bytes = {
        0xFF, 0x02, 0x00, 'h',  'i',                              // a short text, long prefix
        0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c',  // very long prefix
        0xFF, 0xFE, 0xFF};                                        // 0xFFFE is read as a length
    CArchive a = CArchive::ReaderOf(bytes);
    EXPECT_EQ(a.ReadString(), "hi");
    EXPECT_EQ(a.ReadString(), "abc");
    EXPECT_THROW(a.ReadString(), CArchiveError);
}

TEST(Archive, PrimitivesRoundTripLittleEndian) {
    const auto bytes = ArchiveBytes([](CArchive& a) {
        a.WriteInt32(-2);
        a.WriteUInt16(0x1234);
        a.WriteByte(7);
        a.WriteFloat32(1.5f);
        a.WriteFloat64(-0.1);
        a.WriteUInt32(0xDEADBEEF);
    });
    ASSERT_EQ(bytes.size(), 4u + 2 + 1 + 4 + 8 + 4);
    EXPECT_EQ(bytes[0], 0xFE);
    EXPECT_EQ(bytes[4], 0x34);
    CArchive a = CArchive::ReaderOf(bytes);
    EXPECT_EQ(a.ReadInt32(), -2);
    EXPECT_EQ(a.ReadUInt16(), 0x1234);
    EXPECT_EQ(a.ReadByte(), 7);
    EXPECT_EQ(a.ReadFloat32(), 1.5f);
    EXPECT_EQ(a.ReadFloat64(), -0.1);
    EXPECT_EQ(a.ReadUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(a.BytesLeft(), 0u);
    EXPECT_THROW(a.ReadByte(), CArchiveError);
}

TEST(Archive, ClaimsBeyondTheBytesLeftAreRefusedBeforeAllocating) {
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'};
    CArchive a = CArchive::ReaderOf(bytes);
    try {
        a.ReadString();
        FAIL() << "a 2 GiB text was read from 8 bytes";
    } catch (const CArchiveError& error) {
        EXPECT_EQ(error.reason(), CArchiveError::Reason::Oversized);
    }
    CArchive b = CArchive::ReaderOf(bytes);
    EXPECT_NO_THROW(b.CheckClaim(-5, 16));
    EXPECT_NO_THROW(b.CheckClaim(4, 2));
    EXPECT_THROW(b.CheckClaim(5, 2), CArchiveError);
    EXPECT_THROW(b.CheckClaim(INT64_MAX, 16), CArchiveError);
}

TEST(Archive, FileReadingCrossesBufferBoundariesAndSeeksBack) {
    test::CTempDir dir;
    std::vector<std::uint8_t> data(200000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    test::WriteFileBytes(dir.File("f"), data);
    const int fd = ::open(dir.File("f").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    CArchive a = CArchive::ReaderOf(fd, data.size());
    std::vector<std::uint8_t> head(32765);
    a.ReadRaw(head.data(), head.size());
    const std::uint64_t mark = a.Tell();
    const std::uint32_t straddling = a.ReadUInt32();
    a.Seek(mark);
    EXPECT_EQ(a.ReadUInt32(), straddling);
    std::vector<std::uint8_t> big(100000);
    a.ReadRaw(big.data(), big.size());
    EXPECT_TRUE(std::equal(big.begin(), big.end(), data.begin() + 32769));
    a.Skip(a.BytesLeft() - 1);
    EXPECT_EQ(a.ReadByte(), data.back());
    EXPECT_THROW(a.ReadByte(), CArchiveError);
    ::close(fd);
}

TEST(Scramble, TextAndBlockScramblesAreInvertibleAndChangeBytes) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string scrambled = ScrambleText(all);
    EXPECT_NE(scrambled, all);
    EXPECT_EQ(scrambled.size(), all.size());
    EXPECT_EQ(UnscrambleText(scrambled), all);

    std::vector<std::uint8_t> block(all.begin(), all.end());
    std::vector<std::uint8_t> out(block.size());
    ScrambleBlock(block.data(), out.data(), block.size());
    EXPECT_NE(out, block);
    UnscrambleBlock(out.data(), out.data(), out.size());
    EXPECT_EQ(out, block);
    EXPECT_EQ(MaskColor(MaskColor(0x123456)), 0x123456u);
}

}  // namespace
}  // namespace plexion
