#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ogg_sound_data.h"
#include "resource.h"

namespace plexion {

class CVKT_WavMemory;

// Something that refers to a sound without owning it (a voice of the audio
// engine). The sound tells it, before its content is replaced or cleared and
// when it is destroyed, so that nothing keeps a reference to a sound that is
// gone or decodes bytes that changed.
class ISoundUser {
public:
    virtual void SoundReleased(const CVKT_WavMemory& sound) = 0;

protected:
    ~ISoundUser() = default;
};

// A sound: PCM samples in memory, or the bytes of an Ogg Vorbis file that
// stay compressed until played.
class CVKT_WavMemory : public CVKT_Resource {
public:
    static constexpr int kKind = 2;
    static constexpr std::int32_t kStoragePcm = 0;
    static constexpr std::int32_t kStorageOgg = 1;

    CVKT_WavMemory() = default;
    ~CVKT_WavMemory() override;

    int Serialize(CArchive& archive) override;
    // The description text of the sounds panel.
    std::string Specifications() const override;

    // Empties the sound, keeping its bits, channels and rate.
    bool Clear();
    // Replaces the sound with a WAV, Ogg Vorbis or raw float file, chosen by
    // the extension. A failed load leaves it empty.
    bool LoadFromFile(const std::string& path);
    // How LoadFromFile reads a file: by its extension, in any case.
    enum class FileType { Ogg, Wav, Raw };
    static FileType FileTypeOf(const std::string& path);

    // Users are told (and forgotten) before the content changes and when the
    // sound is destroyed. Who refers to a sound is no part of its content, so
    // a sound that may not be changed can still be referred to.
    void AttachUser(ISoundUser* user) const;
    void DetachUser(ISoundUser* user) const;

    std::int32_t StorageKind() const { return storageKind_; }
    std::int32_t BitsPerSample() const { return bitsPerSample_; }
    std::int32_t Channels() const { return channels_; }
    std::int32_t SampleRate() const { return sampleRate_; }
    std::int32_t FrameCount() const { return frameCount_; }
    const std::vector<std::uint8_t>& SampleData() const { return samples_; }
    const COggSoundData& Ogg() const { return ogg_; }

    // Replaces the sound by PCM samples; false (and nothing changed) when the
    // data is not frames × channels × bits / 8 bytes.
    bool SetPcm(std::int32_t bits, std::int32_t channels, std::int32_t rate, std::int32_t frames,
                std::vector<std::uint8_t> data);
    // Replaces the sound by the bytes of an Ogg Vorbis file.
    void SetOgg(std::vector<std::uint8_t> bytes, const COggStreamInfo& info);

    // channels × frames × bits / 8; negative when the numbers make no sense.
    static std::int64_t PcmByteCount(std::int32_t channels, std::int32_t frames, std::int32_t bits);

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    void ReadPcm(CArchive& archive);
    void ReleaseUsers();
    bool LoadWav(const std::string& path);
    bool LoadRaw(const std::string& path);

    std::int32_t storageKind_ = kStoragePcm;
    COggSoundData ogg_;
    std::int32_t bitsPerSample_ = 32;
    std::int32_t channels_ = 2;
    std::int32_t sampleRate_ = 44100;
    std::int32_t frameCount_ = 0;
    std::vector<std::uint8_t> samples_;
    mutable std::vector<ISoundUser*> users_;
};

}  // namespace plexion
