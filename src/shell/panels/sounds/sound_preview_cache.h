#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QRgb>
#include <QSize>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ogg_waveform.h"
#include "wav_memory.h"

namespace plexion {

// Everything a band picture depends on besides the sound's content.
struct CSoundBandKey {
    QSize size;
    qreal pixelRatio = 1.0;
    bool swapChannels = false;
    bool withWaveform = false;
    std::string id;
    std::array<QRgb, 4> colors{};
    bool operator==(const CSoundBandKey&) const = default;
};

// What the sounds preview derives from sounds and keeps until they change:
// the picture of each shown band, so a moving playing-position line costs a
// copy rather than a new waveform, and the waveform of each Ogg Vorbis
// sound, decoded once on the thread pool, never on the interface thread.
// Sounds tell the cache before their content changes or they go.
class CSoundPreviewCache : public QObject, private ISoundUser {
    Q_OBJECT
public:
    explicit CSoundPreviewCache(QObject* parent = nullptr);
    CSoundPreviewCache(const CSoundPreviewCache&) = delete;
    CSoundPreviewCache& operator=(const CSoundPreviewCache&) = delete;
    ~CSoundPreviewCache() override;

    // The waveform of Ogg sound `sound`, or null while it is being decoded:
    // the first ask starts decoding a copy of its bytes, and `waveformReady`
    // follows when it is done.
    const COggWaveform* OggWaveform(const CVKT_WavMemory& sound);

    // The picture last stored for `sound` with the same key, else null.
    const QImage* Picture(const CVKT_WavMemory& sound, const CSoundBandKey& key) const;
    const QImage& StorePicture(const CVKT_WavMemory& sound, CSoundBandKey key, QImage picture);
    // Forgets the pictures of the sounds not `shown`, and their waveforms
    // when more than a few sounds that are not shown keep one.
    void KeepOnly(const std::vector<const CVKT_WavMemory*>& shown);

    // How many decodes run, for tests.
    int RunningDecodes() const;

signals:
    void waveformReady();

private:
    using CDecodeWatcher = QFutureWatcher<std::optional<COggWaveform>>;
    struct CEntry {
        std::optional<COggWaveform> waveform;
        std::shared_ptr<std::atomic<bool>> cancel;
        std::unique_ptr<CDecodeWatcher> decode;
        std::optional<CSoundBandKey> key;
        QImage picture;
    };

    void SoundReleased(const CVKT_WavMemory& sound) override;
    CEntry& EntryOf(const CVKT_WavMemory& sound);
    void Forget(const CVKT_WavMemory* sound);
    void DecodeFinished(const CVKT_WavMemory* sound);

    std::unordered_map<const CVKT_WavMemory*, CEntry> entries_;
};

}  // namespace plexion
