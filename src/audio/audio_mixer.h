#pragma once

#include <vector>

#include "audio_source.h"

namespace plexion {

// Sums its sources, each with a volume and a speed factor, and applies the
// master volume. Sources are not owned.
class CAudioMixer : public CAudioSource {
public:
    bool Render(std::span<float> buffer, std::int32_t rate, std::int32_t position) override;

    float GetMasterVolume() const { return masterVolume_; }
    bool SetMasterVolume(float volume);
    bool RemoveAll();
    bool RemoveAt(int index);
    bool RemoveSource(CAudioSource* source);
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
    // Allocates the entry's buffer and opens the source with the mixer's
    // geometry at `position`.
    bool Add(CAudioSource* source, float volume, float speedFactor, std::int32_t position);

    CAudioSource* SourceAt(int index) const;
    float VolumeAt(int index) const;
    bool SetVolumeAt(int index, float volume);

private:
    struct CEntry {
        CAudioSource* source;
        std::vector<float> buffer;
        float volume;
        float speedFactor;
    };
    float masterVolume_ = 1.0f;
    std::vector<CEntry> entries_;
};

}  // namespace plexion
