// The game-side reader's Ogg Vorbis stream values against the editor's
// (libvorbis) on a real stream, cut at every length and with every byte of
// its identification and comment headers changed (the page checksum made
// good again, so that the headers themselves are judged).
#include <gtest/gtest.h>

#include <vector>

#include "audio_test_support.h"
#include "ogg_sound_data.h"
#include "plexion_dat.hpp"
#include "temp_dir.h"

namespace plexion {
namespace {

std::vector<std::uint8_t> MakeOgg(const test::CTempDir& dir) {
    const std::string wav = dir.File("tone.wav");
    const std::string ogg = dir.File("tone.ogg");
    test::MustRun({"sox", "-D", "-n", "-r", "22050", "-c", "2", "-b", "16", wav, "synth", "0.2",
                   "sine", "440"});
    test::MustRun({"oggenc", "-Q", "-q", "1", "-c", "ARTIST=someone", "-o", ogg, wav});
    return test::ReadFileBytes(ogg);
}

COggStreamInfo EditorInfo(const std::vector<std::uint8_t>& bytes) {
    COggSoundData data;
    data.SetBytes(bytes);
    data.ReadStreamInfo();
    return data.StreamInfo();
}

COggStreamInfo GameInfo(const std::vector<std::uint8_t>& bytes) {
    const plexion_dat::SOggStreamInfo info = plexion_dat::ReadOggStreamInfo(bytes);
    return {info.version,        info.channels,     info.rate,         info.bitrateUpper,
            info.bitrateNominal, info.bitrateLower, info.bitrateWindow};
}

void FixPageChecksum(std::vector<std::uint8_t>& bytes, std::size_t page, std::size_t size) {
    for (int i = 0; i < 4; ++i) {
        bytes[page + 22 + static_cast<std::size_t>(i)] = 0;
    }
    const std::uint32_t crc = plexion_dat::detail::OggCrc(bytes.data() + page, size);
    for (int i = 0; i < 4; ++i) {
        bytes[page + 22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
}

TEST(OggStreamInfo, AgreesWithTheEditorOnCutAndChangedStreams) {
    test::CTempDir dir;
    const std::vector<std::uint8_t> ogg = MakeOgg(dir);
    const COggStreamInfo whole = EditorInfo(ogg);
    ASSERT_EQ(whole.channels, 2);
    ASSERT_EQ(whole.rate, 22050);
    EXPECT_EQ(GameInfo(ogg), whole);
    for (std::size_t length = 0; length < ogg.size(); length += length < 6000 ? 1 : 997) {
        const std::vector<std::uint8_t> cut(ogg.begin(),
                                            ogg.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(GameInfo(cut), EditorInfo(cut)) << "cut at " << length;
    }
    // The identification header's page, and the comment header at the start
    // of the second page's body.
    plexion_dat::detail::SOggPage first;
    plexion_dat::detail::SOggPage second;
    ASSERT_TRUE(plexion_dat::detail::OggPageAt(ogg, 0, first));
    ASSERT_TRUE(plexion_dat::detail::OggPageAt(ogg, first.size, second));
    const std::size_t commentStart = second.pieces.front().first;
    std::size_t commentEnd = commentStart;
    for (std::size_t i = 0; i < second.pieces.size() && commentEnd == commentStart; ++i) {
        if (second.ends[i]) {
            commentEnd = second.pieces[i].first + second.pieces[i].second;
        }
    }
    ASSERT_GT(commentEnd, commentStart);
    // The channel count is left alone: the setup header is laid out for it,
    // and the reader does not decode the setup header (a stream whose setup
    // header does not fit its channels gives its values where libvorbis
    // gives none).
    constexpr std::size_t kChannelsInPacket = 11;
    std::vector<std::size_t> positions;
    for (std::size_t at = first.pieces.front().first; at < first.size; ++at) {
        if (at != first.pieces.front().first + kChannelsInPacket) {
            positions.push_back(at);
        }
    }
    for (std::size_t at = commentStart; at < commentEnd; ++at) {
        positions.push_back(at);
    }
    for (const std::size_t at : positions) {
        for (const std::uint8_t value : {0x00, 0xFF, 0x80, 0x7F}) {
            std::vector<std::uint8_t> changed = ogg;
            changed[at] = value;
            const bool onFirst = at < first.size;
            FixPageChecksum(changed, onFirst ? 0 : first.size, onFirst ? first.size : second.size);
            ASSERT_EQ(GameInfo(changed), EditorInfo(changed))
                << "byte " << at << " set to " << int{value};
        }
    }
}

}  // namespace
}  // namespace plexion
