// The band of a sound drawn on an image: which frames each column shows,
// the channels' colours and order, the centre line and the Ogg band.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>

#include "audio_test_support.h"
#include "color_conversion.h"
#include "ogg_waveform.h"
#include "sound_band_drawing.h"
#include "wav_memory.h"

namespace plexion {
namespace {

// A band 300 pixels wide and 101 high: the centre line at y 50, values ±1
// reach 50 pixels either way.
const QRect kBand(0, 0, 300, 101);
constexpr int kMid = 50;

QColor Face() { return InterfaceQColor(InterfaceColor::DialogFace); }
QColor First() { return InterfaceQColor(InterfaceColor::DialogText); }
QColor Second() { return InterfaceQColor(InterfaceColor::DialogSpottedFace); }
QColor CentreLine() { return InterfaceQColor(InterfaceColor::DialogSpottedText); }

QImage Draw(const CVKT_WavMemory& sound, const CSoundBandLook& look = {}) {
    QImage image(kBand.size(), QImage::Format_RGB32);
    image.fill(Face());
    QPainter painter(&image);
    DrawSoundBand(painter, kBand, sound, look);
    return image;
}

// A 16-bit stereo sound whose frame f holds left(f) and right(f).
void SetStereo(CVKT_WavMemory& sound, std::int32_t frames,
               const std::function<std::int16_t(int)>& left,
               const std::function<std::int16_t(int)>& right) {
    std::vector<std::int16_t> values(static_cast<std::size_t>(frames) * 2);
    for (int f = 0; f < frames; ++f) {
        values[2 * static_cast<std::size_t>(f)] = left(f);
        values[2 * static_cast<std::size_t>(f) + 1] = right(f);
    }
    ASSERT_TRUE(sound.SetPcm(16, 2, 44100, frames, test::Int16Bytes(values)));
}

TEST(SoundBand, EachColumnOfA300FrameSoundShowsItsOwnFrame) {
    // Even frames reach up by half (y 25), odd frames down by half (y 75).
    CVKT_WavMemory sound;
    SetStereo(
        sound, 300, [](int f) { return static_cast<std::int16_t>(f % 2 == 0 ? -16384 : 16384); },
        [](int) { return std::int16_t{0}; });
    const QImage image = Draw(sound);
    for (int x = 0; x < 300; ++x) {
        ASSERT_EQ(image.pixelColor(x, 25), x % 2 == 0 ? First() : Face()) << x;
        ASSERT_EQ(image.pixelColor(x, 75), x % 2 == 1 ? First() : Face()) << x;
        ASSERT_EQ(image.pixelColor(x, kMid), Second()) << x;  // the second channel, on top
    }
}

TEST(SoundBand, LongRunsAreReadWithAStride) {
    // 600 000 frames in 300 columns: column 2 reads 2001, 2021, … but not 2011.
    CVKT_WavMemory sound;
    SetStereo(
        sound, 600000, [](int f) { return static_cast<std::int16_t>(f == 2011 ? -32767 : 0); },
        [](int f) { return static_cast<std::int16_t>(f == 2021 ? 32767 : 0); });
    const QImage image = Draw(sound);
    EXPECT_EQ(image.pixelColor(2, 100), Second());
    EXPECT_EQ(image.pixelColor(2, 10), Face());
    EXPECT_EQ(image.pixelColor(3, 100), Face());
}

TEST(SoundBand, ChannelColoursAndWhichIsOnTop) {
    // Left -0.5 everywhere (above the line), right +0.5 (below); both
    // cross the centre line's row.
    CVKT_WavMemory sound;
    SetStereo(
        sound, 600, [](int f) { return static_cast<std::int16_t>(f == 0 ? 0 : -16384); },
        [](int f) { return static_cast<std::int16_t>(f == 0 ? 0 : 16384); });
    // Column 1 spans frames 1 and 2: bars from their values to themselves.
    struct Case {
        bool swap;
        QColor onTheLine;
    };
    for (const Case& c : {Case{false, Second()}, Case{true, First()}}) {
        CSoundBandLook look;
        look.swapChannels = c.swap;
        const QImage image = Draw(sound, look);
        EXPECT_EQ(image.pixelColor(5, 25), First()) << c.swap;
        EXPECT_EQ(image.pixelColor(5, 75), Second()) << c.swap;
        EXPECT_EQ(image.pixelColor(5, 40), Face()) << c.swap;
        EXPECT_EQ(image.pixelColor(5, kMid), CentreLine()) << c.swap;
        EXPECT_EQ(image.pixelColor(0, kMid), c.onTheLine) << c.swap;  // frame 0: both 0
    }
    // A one-channel sound shows its channel in both colours: the one on top wins.
    CVKT_WavMemory mono;
    ASSERT_TRUE(mono.SetPcm(16, 1, 44100, 3, test::Int16Bytes({16384, 16384, 16384})));
    EXPECT_EQ(Draw(mono).pixelColor(0, 75), Second());
    CSoundBandLook swapped;
    swapped.swapChannels = true;
    EXPECT_EQ(Draw(mono, swapped).pixelColor(0, 75), First());
}

TEST(SoundBand, EightBitSilenceLiesOnTheCentreLine) {
    CVKT_WavMemory silence;
    ASSERT_TRUE(silence.SetPcm(8, 1, 22050, 1000, std::vector<std::uint8_t>(1000, 128)));
    const QImage image = Draw(silence);
    for (int x = 0; x < 300; ++x) {
        ASSERT_EQ(image.pixelColor(x, kMid), Second()) << x;
        ASSERT_EQ(image.pixelColor(x, kMid - 1), Face()) << x;
        ASSERT_EQ(image.pixelColor(x, kMid + 1), Face()) << x;
    }
    // A sound without samples draws nothing, not even the line.
    CVKT_WavMemory empty;
    EXPECT_EQ(Draw(empty).pixelColor(10, kMid), Face());
}

// Pixels of `color` in `image` inside `area`.
int Count(const QImage& image, const QRect& area, const QColor& color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

TEST(SoundBand, OggBandShowsLargeLettersTheStreamTextAndTheFaintWaveform) {
    CVKT_WavMemory sound;
    sound.SetOgg({1, 2, 3}, {0, 2, 44100, 0, 128000, 0, 0});
    const QImage plain = Draw(sound);
    // "OGG" spans about three fifths of the band in the spotted colour.
    int leftmost = 300;
    int rightmost = -1;
    for (int x = 0; x < 300; ++x) {
        if (Count(plain, QRect(x, 0, 1, 101), Second()) > 0) {
            leftmost = std::min(leftmost, x);
            rightmost = std::max(rightmost, x);
        }
    }
    EXPECT_GT(rightmost - leftmost, 120);
    EXPECT_GT(Count(plain, kBand, First()), 20);  // the stream text

    // A decoded waveform of full-scale frames adds faint bars everywhere.
    COggWaveform waveform;
    waveform.frames = 300;
    waveform.bins.assign(300, CWaveColumn{{-1.0f, -1.0f}, {1.0f, 1.0f}});
    CSoundBandLook look;
    look.oggWaveform = &waveform;
    const QImage faint = Draw(sound, look);
    EXPECT_EQ(Count(faint, QRect(0, 0, 300, 3), Face()), 0);
    EXPECT_NE(faint.pixelColor(1, 1), First());
    EXPECT_NE(faint.pixelColor(1, 1), Second());
}

TEST(PlayingLine, XOfAPosition) {
    EXPECT_EQ(PlayingLineX(QRect(10, 0, 300, 50), 0.0, 1000), 10);
    EXPECT_EQ(PlayingLineX(QRect(10, 0, 300, 50), 500.0, 1000), 160);
    EXPECT_EQ(PlayingLineX(QRect(10, 0, 300, 50), 1000.0, 1000), 309);
    EXPECT_EQ(PlayingLineX(QRect(10, 0, 300, 50), 5.0, 0), 10);
}

}  // namespace
}  // namespace plexion
