#include "sounds_panel.h"

#include <QPainter>

#include "application_audio.h"
#include "audio_system.h"
#include "color_conversion.h"
#include "sound_band_drawing.h"
#include "sound_play_position.h"
#include "sound_play_state.h"
#include "stored_text.h"

namespace plexion {
namespace {

// The colours a band picture is drawn in.
std::array<QRgb, 4> BandColors() {
    return {InterfaceQColor(InterfaceColor::DialogFace).rgb(),
            InterfaceQColor(InterfaceColor::DialogText).rgb(),
            InterfaceQColor(InterfaceColor::DialogSpottedFace).rgb(),
            InterfaceQColor(InterfaceColor::DialogSpottedText).rgb()};
}

}  // namespace

void CSoundsPanel::SwapDisplayChannels() {
    swapChannels_ = !swapChannels_;
    RedrawPreviewArea();
}

bool CSoundsPanel::StepTime() {
    return animating_.load(std::memory_order_relaxed);
}

bool CSoundsPanel::PreviewAnimates() const {
    return animating_.load(std::memory_order_relaxed);
}

void CSoundsPanel::SetAnimating(bool playing) {
    if (!animating_.exchange(playing, std::memory_order_relaxed) && playing) {
        PreviewMayAnimate();
    }
}

void CSoundsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    shownLines_.clear();
    shownSounds_.clear();
    playingShown_ = false;
    DrawTiledPreview(painter, preview);
    previewCache_.KeepOnly(shownSounds_);
    SetAnimating(playingShown_);
}

void CSoundsPanel::DrawItemPreview(QPainter& painter, QRect& band, int item) {
    DrawBandSeparator(painter, band);
    const CVKT_WavMemory* sound = Item(item);
    if (sound == nullptr || band.isEmpty()) {
        return;
    }
    shownSounds_.push_back(sound);
    painter.drawImage(band.topLeft(), BandPicture(painter, band, *sound));
    const std::vector<int> lines = PlayingLines(*sound, band);
    DrawPlayingLines(painter, band, lines);
    shownLines_[item] = lines;
    playingShown_ = playingShown_ || PlayStateOf(ApplicationAudio(), sound) != kSoundStopped;
}

const QImage& CSoundsPanel::BandPicture(QPainter& painter, const QRect& band,
                                        const CVKT_WavMemory& sound) {
    CSoundBandLook look;
    look.swapChannels = swapChannels_;
    if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        look.oggWaveform = previewCache_.OggWaveform(sound);
    }
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    CSoundBandKey key{band.size(), ratio, swapChannels_, look.oggWaveform != nullptr, sound.ID(),
                      BandColors()};
    if (const QImage* cached = previewCache_.Picture(sound, key)) {
        return *cached;
    }
    QImage picture(band.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(InterfaceQColor(InterfaceColor::DialogFace));
    {
        QPainter drawing(&picture);
        QRect local(QPoint(0, 0), band.size());
        DrawSoundBand(drawing, local, sound, look);
        DrawBandTextLine(drawing, local, FromStored(sound.ID()),
                         InterfaceQColor(InterfaceColor::DialogText));
    }
    return previewCache_.StorePicture(sound, std::move(key), std::move(picture));
}

std::vector<int> CSoundsPanel::PlayingLines(const CVKT_WavMemory& sound, const QRect& band) {
    const CAudioSystem* audio = ApplicationAudio();
    std::int64_t length = sound.FrameCount();
    if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        const COggWaveform* waveform = previewCache_.OggWaveform(sound);
        length = waveform != nullptr ? waveform->frames : 0;
    }
    std::vector<int> lines;
    if (audio != nullptr) {
        for (const double frame : HeardSoundFrames(*audio, sound, length)) {
            lines.push_back(PlayingLineX(band, frame, length));
        }
    }
    return lines;
}

void CSoundsPanel::RedrawPreview() {
    const QRect preview = PreviewRect(rect());
    const std::vector<int> items = GetAffectedItems(true, true);
    const int count = static_cast<int>(items.size());
    bool playing = false;
    for (int i = 0; i < count; ++i) {
        const int item = items[static_cast<std::size_t>(i)];
        const CVKT_WavMemory* sound = Item(item);
        if (sound == nullptr) {
            continue;
        }
        QRect band = BandRect(preview, i, count);
        band.setTop(band.top() + 1);
        playing = playing || PlayStateOf(ApplicationAudio(), sound) != kSoundStopped;
        const auto shown = shownLines_.find(item);
        const std::vector<int> lines = PlayingLines(*sound, band);
        if (shown == shownLines_.end() ? !lines.empty() : shown->second != lines) {
            update(band);
        }
    }
    SetAnimating(playing);
}

}  // namespace plexion
