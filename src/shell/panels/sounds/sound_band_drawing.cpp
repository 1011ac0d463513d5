#include "sound_band_drawing.h"

#include <QGuiApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

#include "color_conversion.h"
#include "interface_colors.h"
#include "ogg_waveform.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr int kOpaque = 255;
constexpr int kFaintAlpha = 80;
constexpr int kHeavyWeight = 900;
constexpr int kLettersAcrossBand = 5;
constexpr int kFullStretch = 100;
constexpr int kWidestStretch = 4000;

// The centre line's y and the half height the values ±1 reach.
struct CBandMiddle {
    int mid;
    int half;
};

CBandMiddle MiddleOf(const QRect& band) {
    const int top = band.top();
    const int bottom = band.top() + band.height();
    const int mid = (top + bottom) / 2;
    return {mid, mid - top};
}

QColor ChannelColor(int channel, int alpha) {
    QColor color = InterfaceQColor(channel == 0 ? InterfaceColor::DialogText
                                                : InterfaceColor::DialogSpottedFace);
    color.setAlpha(alpha);
    return color;
}

// `over` laid on `under`, both premultiplied.
QRgb Over(QRgb over, QRgb under) {
    const int keep = 255 - qAlpha(over);
    if (keep == 0) {
        return over;
    }
    const auto part = [keep](int value) { return (value * keep + 127) / 255; };
    return qRgba(qRed(over) + part(qRed(under)), qGreen(over) + part(qGreen(under)),
                 qBlue(over) + part(qBlue(under)), qAlpha(over) + part(qAlpha(under)));
}

// A heavy font as tall as the band whose letters are a fifth of its width.
QFont OggLetterFont(const QRect& band) {
    QFont font(QStringLiteral("Arial"));
    font.setWeight(static_cast<QFont::Weight>(kHeavyWeight));
    font.setPixelSize(std::max(1, band.height()));
    const int natural = QFontMetrics(font).averageCharWidth();
    const int wanted = band.width() / kLettersAcrossBand;
    if (natural > 0 && wanted > 0) {
        font.setStretch(std::clamp(kFullStretch * wanted / natural, 1, kWidestStretch));
    }
    return font;
}

void DrawOggBand(QPainter& painter, const QRect& band, const CVKT_WavMemory& sound,
                 const CSoundBandLook& look) {
    if (look.oggWaveform != nullptr) {
        DrawWaveColumns(painter, band, OggWaveColumns(*look.oggWaveform, band.width()),
                        look.swapChannels, kFaintAlpha);
    }
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(OggLetterFont(band));
    painter.setPen(InterfaceQColor(InterfaceColor::DialogSpottedFace));
    painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("OGG"));
    const COggStreamInfo& info = sound.Ogg().StreamInfo();
    painter.setFont(QGuiApplication::font());
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    painter.drawText(band, Qt::AlignCenter,
                     QStringLiteral("\n\nVersion: %1\nNb Channels: %2\nRate: %3\nBitrate Nominal: %4")
                         .arg(info.version)
                         .arg(info.channels)
                         .arg(info.rate)
                         .arg(info.bitrateNominal));
    painter.restore();
}

}  // namespace

void DrawWaveColumns(QPainter& painter, const QRect& band, const std::vector<CWaveColumn>& columns,
                     bool swapChannels, int alpha) {
    const CBandMiddle middle = MiddleOf(band);
    const int count = std::min(band.width(), static_cast<int>(columns.size()));
    if (count < 1) {
        return;
    }
    const std::array<std::size_t, 2> order = swapChannels ? std::array<std::size_t, 2>{1, 0}
                                                          : std::array<std::size_t, 2>{0, 1};
    // Thousands of one-pixel bars cost far more as painter calls than as
    // pixels, so they are set into a picture of the rows the values ±1 reach
    // and that picture is drawn once.
    const int top = middle.mid - middle.half;
    QImage bars(count, 2 * middle.half + 1, QImage::Format_ARGB32_Premultiplied);
    bars.fill(Qt::transparent);
    for (const std::size_t channel : order) {
        const QRgb colour = qPremultiply(ChannelColor(static_cast<int>(channel), alpha).rgba());
        for (int c = 0; c < count; ++c) {
            const CWaveColumn& column = columns[static_cast<std::size_t>(c)];
            const float low = column.low[channel];
            const float high = column.high[channel];
            const int y = static_cast<int>(low * static_cast<float>(middle.half)) + middle.mid;
            const int height = static_cast<int>((high - low) * static_cast<float>(middle.half)) + 1;
            const int first = std::max(y - top, 0);
            const int last = std::min(y - top + height, bars.height());
            for (int row = first; row < last; ++row) {
                QRgb& pixel = reinterpret_cast<QRgb*>(bars.scanLine(row))[c];
                pixel = Over(colour, pixel);
            }
        }
    }
    painter.drawImage(QPoint(band.left(), top), bars);
}

void DrawSoundBand(QPainter& painter, const QRect& band, const CVKT_WavMemory& sound,
                   const CSoundBandLook& look) {
    if (band.isEmpty()) {
        return;
    }
    if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        DrawOggBand(painter, band, sound, look);
        return;
    }
    if (sound.SampleData().empty()) {
        return;
    }
    const CBandMiddle middle = MiddleOf(band);
    painter.fillRect(QRect(band.left(), middle.mid, band.width(), 1),
                     InterfaceQColor(InterfaceColor::DialogSpottedText));
    DrawWaveColumns(painter, band, PcmWaveColumns(sound, band.width()), look.swapChannels, kOpaque);
}

int PlayingLineX(const QRect& band, double frame, std::int64_t lengthFrames) {
    if (lengthFrames < 1 || band.width() < 1) {
        return band.left();
    }
    const double fraction = std::clamp(frame / static_cast<double>(lengthFrames), 0.0, 1.0);
    return band.left() +
           std::min(band.width() - 1, static_cast<int>(fraction * band.width()));
}

void DrawPlayingLines(QPainter& painter, const QRect& band, const std::vector<int>& xs) {
    const QColor color = InterfaceQColor(InterfaceColor::FocusedArea);
    for (const int x : xs) {
        painter.fillRect(QRect(x, band.top(), 1, band.height()), color);
    }
}

}  // namespace plexion
