#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

#include "sound_waveform.h"

class QPainter;

namespace plexion {

class CVKT_WavMemory;
struct COggWaveform;

// What a sound's band shows beyond the sound itself.
struct CSoundBandLook {
    // The first channel is drawn over the second instead of under it.
    bool swapChannels = false;
    // The decoded stream of an Ogg Vorbis sound, drawn faintly behind its
    // text; null while it is not known.
    const COggWaveform* oggWaveform = nullptr;
};

// The middle of a sound's band: the waveform of a sound with PCM samples, or
// for an Ogg Vorbis sound "OGG" in large letters with the stream information
// over it. Other sounds draw nothing.
void DrawSoundBand(QPainter& painter, const QRect& band, const CVKT_WavMemory& sound,
                   const CSoundBandLook& look);

// Waveform columns as bars from each column's lowest to its highest value
// around the band's centre line, larger values lower; the second channel over
// the first unless `swapChannels`. `alpha` below 255 draws them faintly.
void DrawWaveColumns(QPainter& painter, const QRect& band, const std::vector<CWaveColumn>& columns,
                     bool swapChannels, int alpha);

// The x of a position `frame` of a sound `lengthFrames` long in `band`.
int PlayingLineX(const QRect& band, double frame, std::int64_t lengthFrames);
// A vertical line across `band` at each of the playing positions.
void DrawPlayingLines(QPainter& painter, const QRect& band, const std::vector<int>& xs);

}  // namespace plexion
