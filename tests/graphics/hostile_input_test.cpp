#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "image_codecs.h"
#include "metafile_fixtures.h"
#include "raster_fixtures.h"

namespace plexion::test {
namespace {

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

struct SNamedFile {
    std::string name;
    Bytes bytes;
};

std::vector<SNamedFile> EveryFormat() {
    const QImage pattern = MakePatternImage(24, 16, true);
    return {{"png", WriteWithQt(pattern, "png")},
            {"bmp", WriteWithQt(pattern, "bmp")},
            {"jpeg", WriteWithQt(pattern, "jpeg")},
            {"tiff", WriteWithQt(pattern, "tiff")},
            {"ico", WriteWithQt(pattern, "ico")},
            {"gif", MakeGif(6, 5, {qRgb(1, 2, 3)})},
            {"wmf", MakePlaceableWmf(qRgb(1, 2, 3), true)},
            {"wmf-standard", MakeStandardWmf(qRgb(1, 2, 3))},
            {"emf", MakeEmf(qRgb(1, 2, 3), true)}};
}

void ExpectSaneOrNull(const QImage& image, const std::string& name) {
    if (!image.isNull()) {
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied) << name;
        EXPECT_LE(std::int64_t{image.width()} * image.height() * 4, 256 << 20) << name;
    }
}

TEST(HostileInput, EmptyAndUnknownBytesGiveANullImage) {
    EXPECT_TRUE(DecodeImage({}).isNull());
    const Bytes text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_TRUE(DecodeImage(text).isNull());
    // Formats Qt could read but that are no pictures of this editor.
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'/>";
    EXPECT_TRUE(DecodeImage(Bytes(svg.begin(), svg.end())).isNull());
    const std::string ppm = "P3\n1 1\n255\n0 0 0\n";
    EXPECT_TRUE(DecodeImage(Bytes(ppm.begin(), ppm.end())).isNull());
}

TEST(HostileInput, EveryFixtureDecodesWhole) {
    for (const SNamedFile& file : EveryFormat()) {
        EXPECT_FALSE(DecodeImage(file.bytes).isNull()) << file.name;
    }
}

TEST(HostileInput, TruncatedFilesNeverCrash) {
    for (const SNamedFile& file : EveryFormat()) {
        const std::size_t step = std::max<std::size_t>(1, file.bytes.size() / 64);
        for (std::size_t length = 0; length < file.bytes.size(); length += step) {
            ExpectSaneOrNull(DecodeImage(std::span(file.bytes.data(), length)), file.name);
        }
    }
}

TEST(HostileInput, TruncatedMetafilesAreRefused) {
    for (const Bytes& whole : {MakePlaceableWmf(qRgb(1, 2, 3)), MakeEmf(qRgb(1, 2, 3))}) {
        for (std::size_t length = 0; length < whole.size(); ++length) {
            EXPECT_TRUE(DecodeImage(std::span(whole.data(), length)).isNull()) << length;
        }
    }
}

TEST(HostileInput, RandomBytesBehindEachMagicNeverCrash) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const SNamedFile& file : EveryFormat()) {
        const std::size_t magicLength = std::min<std::size_t>(file.bytes.size(), 44);
        for (int i = 0; i < 40; ++i) {
            Bytes noise(file.bytes.begin(), file.bytes.begin() + static_cast<long>(magicLength));
            noise.resize(magicLength + static_cast<std::size_t>(i * 13));
            for (std::size_t at = magicLength; at < noise.size(); ++at) {
                noise[at] = static_cast<std::uint8_t>(byte(random));
            }
            ExpectSaneOrNull(DecodeImage(noise), file.name);
        }
    }
}

TEST(HostileInput, FlippedBytesNeverCrash) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const SNamedFile& file : EveryFormat()) {
        std::uniform_int_distribution<std::size_t> at(0, file.bytes.size() - 1);
        for (int i = 0; i < 60; ++i) {
            Bytes damaged = file.bytes;
            for (int flips = 0; flips < 4; ++flips) {
                damaged[at(random)] = static_cast<std::uint8_t>(byte(random));
            }
            ExpectSaneOrNull(DecodeImage(damaged), file.name);
        }
    }
}

TEST(HostileInput, AClaimedHugePngIsRefusedBeforeAllocating) {
    EXPECT_TRUE(DecodeImage(PngHeaderClaiming(100000, 100000)).isNull());
    EXPECT_TRUE(DecodeImage(PngHeaderClaiming(16385, 1)).isNull());
    // Within each side's limit but more than 256 MiB of pixels.
    EXPECT_TRUE(DecodeImage(PngHeaderClaiming(16384, 16384)).isNull());
}

TEST(HostileInput, AClaimedHugeBmpIsRefused) {
    Bytes bmp = WriteWithQt(MakePatternImage(4, 4, false), "bmp");
    PutU32At(bmp, 18, 100000);  // width
    PutU32At(bmp, 22, 100000);  // height
    EXPECT_TRUE(DecodeImage(bmp).isNull());
}

TEST(HostileInput, AWmfClaimingAHugeLargestRecordStillDecodesSafely) {
    Bytes wmf = MakePlaceableWmf(qRgb(0, 0, 255));
    PutU32At(wmf, 22 + 12, 0xFFFFFFFFu);
    const QImage image = DecodeImage(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(48, 24), qRgb(0, 0, 255));
}

TEST(HostileInput, AWmfRecordReachingPastTheEndIsRefused) {
    Bytes wmf = MakePlaceableWmf(qRgb(10, 20, 30));
    PutU32At(wmf, 22 + 18, 0x7FFFFFFFu);  // first record's size in words
    EXPECT_TRUE(DecodeImage(wmf).isNull());
}

TEST(HostileInput, AWmfWithAnEmptyOrUnitlessFrameIsRefused) {
    Bytes noUnit = MakePlaceableWmf(qRgb(10, 20, 30));
    noUnit[14] = 0;
    noUnit[15] = 0;
    EXPECT_TRUE(DecodeImage(noUnit).isNull());
    Bytes empty = MakePlaceableWmf(qRgb(10, 20, 30));
    empty[10] = 0;  // right = 0 = left
    empty[11] = 0;
    EXPECT_TRUE(DecodeImage(empty).isNull());
}

TEST(HostileInput, AWmfFrameBeyondTheLimitsIsRefused) {
    Bytes wmf = MakePlaceableWmf(qRgb(10, 20, 30));
    wmf[14] = 1;  // one unit per inch: 1440 inches wide
    wmf[15] = 0;
    EXPECT_TRUE(DecodeImage(wmf).isNull());
}

TEST(HostileInput, EmfRecordSizesThatCannotBeWalkedAreRefused) {
    const Bytes whole = MakeEmf(qRgb(10, 20, 30));
    Bytes zeroSize = whole;
    PutU32At(zeroSize, 88 + 4, 0);
    EXPECT_TRUE(DecodeImage(zeroSize).isNull());
    Bytes misaligned = whole;
    PutU32At(misaligned, 88 + 4, 26);
    EXPECT_TRUE(DecodeImage(misaligned).isNull());
    Bytes pastTheEnd = whole;
    PutU32At(pastTheEnd, 88 + 4, 0x7FFFFFF0u);
    EXPECT_TRUE(DecodeImage(pastTheEnd).isNull());
}

TEST(HostileInput, AnEmfFrameBeyondTheLimitsIsRefused) {
    Bytes emf = MakeEmf(qRgb(10, 20, 30));
    PutU32At(emf, 32, 0x7FFFFFFFu);  // frame right
    EXPECT_TRUE(DecodeImage(emf).isNull());
}

}  // namespace
}  // namespace plexion::test
