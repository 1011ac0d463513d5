#include "sound_preview_cache.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <unordered_set>

namespace plexion {
namespace {

// Waveforms kept for sounds that are not shown.
constexpr std::size_t kHiddenWaveforms = 32;

}  // namespace

CSoundPreviewCache::CSoundPreviewCache(QObject* parent) : QObject(parent) {}

CSoundPreviewCache::~CSoundPreviewCache() {
    while (!entries_.empty()) {
        Forget(entries_.begin()->first);
    }
}

CSoundPreviewCache::CEntry& CSoundPreviewCache::EntryOf(const CVKT_WavMemory& sound) {
    const auto [at, added] = entries_.try_emplace(&sound);
    if (added) {
        sound.AttachUser(this);
    }
    return at->second;
}

void CSoundPreviewCache::Forget(const CVKT_WavMemory* sound) {
    const auto at = entries_.find(sound);
    if (at == entries_.end()) {
        return;
    }
    if (at->second.cancel) {
        at->second.cancel->store(true);
    }
    sound->DetachUser(this);
    // The watcher goes with the entry: a decode still running ends unseen.
    entries_.erase(at);
}

void CSoundPreviewCache::SoundReleased(const CVKT_WavMemory& sound) {
    Forget(&sound);
}

const COggWaveform* CSoundPreviewCache::OggWaveform(const CVKT_WavMemory& sound) {
    CEntry& entry = EntryOf(sound);
    if (entry.waveform) {
        return &*entry.waveform;
    }
    if (!entry.decode) {
        // The task owns its copy of the bytes: the sound may change or go
        // while it runs.
        auto data = std::make_shared<COggSoundData>();
        data->SetBytes(sound.Ogg().Bytes());
        entry.cancel = std::make_shared<std::atomic<bool>>(false);
        entry.decode = std::make_unique<CDecodeWatcher>();
        const CVKT_WavMemory* key = &sound;
        connect(entry.decode.get(), &CDecodeWatcher::finished, this,
                [this, key] { DecodeFinished(key); });
        entry.decode->setFuture(QtConcurrent::run(
            QThreadPool::globalInstance(),
            [data, cancel = entry.cancel] { return DecodeOggWaveform(*data, *cancel); }));
    }
    return nullptr;
}

void CSoundPreviewCache::DecodeFinished(const CVKT_WavMemory* sound) {
    const auto at = entries_.find(sound);
    if (at == entries_.end() || !at->second.decode) {
        return;
    }
    CEntry& entry = at->second;
    const std::unique_ptr<CDecodeWatcher> decode = std::move(entry.decode);
    if (!decode->isCanceled() && decode->future().resultCount() > 0) {
        entry.waveform = decode->result();
    }
    entry.cancel.reset();
    if (entry.waveform) {
        emit waveformReady();
    }
}

const QImage* CSoundPreviewCache::Picture(const CVKT_WavMemory& sound,
                                          const CSoundBandKey& key) const {
    const auto at = entries_.find(&sound);
    if (at == entries_.end() || at->second.key != key) {
        return nullptr;
    }
    return &at->second.picture;
}

const QImage& CSoundPreviewCache::StorePicture(const CVKT_WavMemory& sound, CSoundBandKey key,
                                              QImage picture) {
    CEntry& entry = EntryOf(sound);
    entry.key = std::move(key);
    entry.picture = std::move(picture);
    return entry.picture;
}

void CSoundPreviewCache::KeepOnly(const std::vector<const CVKT_WavMemory*>& shown) {
    const std::unordered_set<const CVKT_WavMemory*> kept(shown.begin(), shown.end());
    std::vector<const CVKT_WavMemory*> hidden;
    std::size_t hiddenWaveforms = 0;
    for (auto& [sound, entry] : entries_) {
        if (kept.contains(sound)) {
            continue;
        }
        hidden.push_back(sound);
        entry.key.reset();
        entry.picture = QImage();
        hiddenWaveforms += entry.waveform || entry.decode ? 1 : 0;
    }
    for (const CVKT_WavMemory* sound : hidden) {
        const CEntry& entry = entries_.at(sound);
        if (hiddenWaveforms > kHiddenWaveforms || (!entry.waveform && !entry.decode)) {
            Forget(sound);
        }
    }
}

int CSoundPreviewCache::RunningDecodes() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const auto& entry) { return entry.second.decode != nullptr; }));
}

}  // namespace plexion
