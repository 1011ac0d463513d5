#include "audio_mixer.h"

#include <algorithm>
#include <new>

namespace plexion {

bool CAudioMixer::SetMasterVolume(float volume) {
    masterVolume_ = volume;
    return true;
}

bool CAudioMixer::Render(std::span<float> out, std::int32_t rate, std::int32_t position) {
    position_ = position;
    const std::size_t count =
        std::min(out.size(), static_cast<std::size_t>(std::max(0, framesPerBuffer_)) *
                                 static_cast<std::size_t>(std::max(0, channels_)));
    bool contributed = false;
    for (CEntry& entry : entries_) {
        // An entry added under another geometry cannot be summed safely.
        if (entry.buffer.size() != count) {
            continue;
        }
        const auto entryRate =
            static_cast<std::int32_t>(static_cast<float>(rate) * entry.speedFactor + 0.5f);
        if (!entry.source->Render(entry.buffer, entryRate, position)) {
            continue;
        }
        const float volume = entry.volume;
        const float* in = entry.buffer.data();
        float* o = out.data();
        if (!contributed) {
            for (std::size_t k = 0; k < count; ++k) {
                o[k] = volume * in[k];
            }
            contributed = true;
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                o[k] += volume * in[k];
            }
        }
    }
    if (!contributed) {
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
    } else if (masterVolume_ != 1.0f) {
        for (std::size_t k = 0; k < count; ++k) {
            out[k] *= masterVolume_;
        }
    }
    return true;
}

bool CAudioMixer::RemoveAll() {
    bool all = true;
    for (std::size_t n = entries_.size(); n > 0; --n) {
        all = RemoveAt(0) && all;
    }
    return all;
}

bool CAudioMixer::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    entries_[static_cast<std::size_t>(index)].source->Stop();
    entries_.erase(entries_.begin() + index);
    return true;
}

bool CAudioMixer::RemoveSource(CAudioSource* source) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [source](const CEntry& e) { return e.source == source; });
    return found != entries_.end() && RemoveAt(static_cast<int>(found - entries_.begin()));
}

bool CAudioMixer::Add(CAudioSource* source, float volume, float speedFactor,
                      std::int32_t position) {
    if (!source) {
        return false;
    }
    CEntry entry{source, {}, volume, speedFactor};
    try {
        entry.buffer.assign(static_cast<std::size_t>(std::max(0, framesPerBuffer_)) *
                                static_cast<std::size_t>(std::max(0, channels_)),
                            0.0f);
        entries_.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        return false;
    }
    source->Open(bytesPerBuffer_, framesPerBuffer_, bitsPerSample_, channels_, rate_, position);
    return true;
}

CAudioSource* CAudioMixer::SourceAt(int index) const {
    return index >= 0 && index < Count() ? entries_[static_cast<std::size_t>(index)].source
                                         : nullptr;
}

float CAudioMixer::VolumeAt(int index) const {
    return index >= 0 && index < Count() ? entries_[static_cast<std::size_t>(index)].volume : 0.0f;
}

bool CAudioMixer::SetVolumeAt(int index, float volume) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    entries_[static_cast<std::size_t>(index)].volume = volume;
    return true;
}

}  // namespace plexion
