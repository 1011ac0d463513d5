#include "wav_memory.h"

#include <cstdio>
#include <limits>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "archive.h"
#include "file_bytes.h"
#include "file_reading.h"
#include "paths.h"
#include "wav_file_info.h"

namespace plexion {

std::unique_ptr<CVKT_Resource> CVKT_WavMemory::NewOfSameKind() const {
    return std::make_unique<CVKT_WavMemory>();
}

std::int64_t CVKT_WavMemory::PcmByteCount(std::int32_t channels, std::int32_t frames,
                                          std::int32_t bits) {
    // Three 32-bit factors can overflow 64 bits; such a claim makes no sense.
    const __int128 bytes = static_cast<__int128>(channels) * frames * bits / 8;
    const bool fits = bytes >= std::numeric_limits<std::int64_t>::min() &&
                      bytes <= std::numeric_limits<std::int64_t>::max();
    return fits ? static_cast<std::int64_t>(bytes) : -1;
}

CVKT_WavMemory::~CVKT_WavMemory() {
    ReleaseUsers();
}

void CVKT_WavMemory::AttachUser(ISoundUser* user) const {
    if (user && std::find(users_.begin(), users_.end(), user) == users_.end()) {
        users_.push_back(user);
    }
}

void CVKT_WavMemory::DetachUser(ISoundUser* user) const {
    users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void CVKT_WavMemory::ReleaseUsers() {
    const std::vector<ISoundUser*> users = std::move(users_);
    users_.clear();
    for (ISoundUser* user : users) {
        user->SoundReleased(*this);
    }
}

bool CVKT_WavMemory::Clear() {
    ReleaseUsers();
    samples_.clear();
    samples_.shrink_to_fit();
    frameCount_ = 0;
    if (storageKind_ == kStorageOgg) {
        ogg_.Clear();
    }
    storageKind_ = kStoragePcm;
    return true;
}

bool CVKT_WavMemory::SetPcm(std::int32_t bits, std::int32_t channels, std::int32_t rate,
                            std::int32_t frames, std::vector<std::uint8_t> data) {
    const std::int64_t size = PcmByteCount(channels, frames, bits);
    if (frames < 0 || size < 0 || static_cast<std::uint64_t>(size) != data.size()) {
        return false;
    }
    Clear();
    bitsPerSample_ = bits;
    channels_ = channels;
    sampleRate_ = rate;
    frameCount_ = frames;
    samples_ = std::move(data);
    return true;
}

void CVKT_WavMemory::SetOgg(std::vector<std::uint8_t> bytes, const COggStreamInfo& info) {
    Clear();
    storageKind_ = kStorageOgg;
    ogg_.SetBytes(std::move(bytes));
    ogg_.SetStreamInfo(info);
}

std::string CVKT_WavMemory::Specifications() const {
    char text[160];
    if (storageKind_ == kStorageOgg) {
        if (ogg_.Empty()) {
            return "OGG, Empty !";
        }
        std::snprintf(text, sizeof text, "OGG, %d Bytes (%d Channels, %d Hz)", ogg_.ByteLength(),
                      ogg_.StreamInfo().channels, ogg_.StreamInfo().rate);
        return text;
    }
    if (samples_.empty()) {
        return "WAV, Empty !";
    }
    std::snprintf(text, sizeof text, "WAV, %d Data, %lld Bytes (%d Bits, %d Channels, %d Hz)",
                  frameCount_, static_cast<long long>(frameCount_) * bitsPerSample_ * channels_ / 8,
                  bitsPerSample_, channels_, sampleRate_);
    return text;
}

int CVKT_WavMemory::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(storageKind_);
        if (storageKind_ == kStorageOgg) {
            ogg_.Serialize(archive);
        } else {
            archive.WriteInt32(frameCount_);
            archive.WriteInt32(bitsPerSample_);
            archive.WriteInt32(channels_);
            archive.WriteInt32(sampleRate_);
            archive.WriteRaw(samples_.data(), samples_.size());
        }
        return 1;
    }
    Clear();
    archive.Skip(8);
    if (archive.ReadInt32() == kStorageOgg) {
        storageKind_ = kStorageOgg;
        ogg_.Serialize(archive);
    } else {
        ReadPcm(archive);
    }
    return 1;
}

void CVKT_WavMemory::ReadPcm(CArchive& archive) {
    frameCount_ = archive.ReadInt32();
    bitsPerSample_ = archive.ReadInt32();
    channels_ = archive.ReadInt32();
    sampleRate_ = archive.ReadInt32();
    if (frameCount_ <= 0) {
        return;
    }
    const std::int64_t size = PcmByteCount(channels_, frameCount_, bitsPerSample_);
    if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) {
        throw CArchiveError(CArchiveError::Reason::Oversized,
                            "a sound's sample format makes no sense");
    }
    archive.CheckClaim(size);
    samples_.resize(static_cast<std::size_t>(size));
    archive.ReadRaw(samples_.data(), samples_.size());
}

}  // namespace plexion

namespace plexion {
namespace {

constexpr std::uint64_t kMaxSampleBytes =
    static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
// 1/32767 rounded to single precision once, so every 16-bit sample scales alike.
constexpr float kInverse32767 = 3.0518509e-05f;

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

float LoadFloat(const std::uint8_t* p) {
    std::uint32_t bits =
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return std::bit_cast<float>(bits);
}

void StoreFloat(std::uint8_t* p, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

// Legacy 32-bit integer-format WAV files hold floats on a ±32767 scale. Data
// that cannot be such floats (a NaN, an infinity or a value far beyond the
// scale, as the bit patterns of real 32-bit integer samples give at once)
// is integer data, as modern programs write it.
bool LooksLikeLegacyFloats(const std::vector<std::uint8_t>& data) {
    for (std::size_t i = 0; i + 4 <= data.size(); i += 4) {
        const float value = LoadFloat(&data[i]);
        if (!std::isfinite(value) || std::fabs(value) > 1048576.0f) {
            return false;
        }
    }
    return true;
}

// Converts the samples of a WAV data chunk in place to what the sound keeps:
// 8 and 16-bit integers as they are, everything else 32-bit floats.
// Returns the bits per sample kept.
std::int32_t ConvertWavSamples(const CWavFileInfo& info, std::vector<std::uint8_t>& data) {
    const std::size_t size = info.containerBytes;
    const std::size_t count = data.size() / size;
    if (info.encoding == CWavFileInfo::Encoding::Float) {
        if (size == 8) {
            std::vector<std::uint8_t> floats(count * 4);
            for (std::size_t i = 0; i < count; ++i) {
                std::uint64_t bits = 0;
                for (int b = 7; b >= 0; --b) {
                    bits = (bits << 8) | data[i * 8 + static_cast<std::size_t>(b)];
                }
                StoreFloat(&floats[i * 4], static_cast<float>(std::bit_cast<double>(bits)));
            }
            data = std::move(floats);
        }
        return 32;
    }
    if (size == 1 || size == 2) {
        return static_cast<std::int32_t>(size * 8);
    }
    if (size == 3) {
        std::vector<std::uint8_t> floats(count * 4);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* p = &data[i * 3];
            const std::int32_t value =
                static_cast<std::int32_t>((static_cast<std::uint32_t>(p[0]) << 8) |
                                          (static_cast<std::uint32_t>(p[1]) << 16) |
                                          (static_cast<std::uint32_t>(p[2]) << 24)) >>
                8;
            StoreFloat(&floats[i * 4], static_cast<float>(value) / 8388608.0f);
        }
        data = std::move(floats);
        return 32;
    }
    // Four-byte integers.
    if (!info.extensible && LooksLikeLegacyFloats(data)) {
        for (std::size_t i = 0; i < count; ++i) {
            StoreFloat(&data[i * 4], LoadFloat(&data[i * 4]) * kInverse32767);
        }
        return 32;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto value =
            static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(LoadFloat(&data[i * 4])));
        StoreFloat(&data[i * 4], static_cast<float>(static_cast<double>(value) / 2147483648.0));
    }
    return 32;
}

}  // namespace

CVKT_WavMemory::FileType CVKT_WavMemory::FileTypeOf(const std::string& path) {
    const std::string extension = UpperCase(ExtensionOf(path));
    return extension == "OGG" ? FileType::Ogg : extension == "WAV" ? FileType::Wav : FileType::Raw;
}

bool CVKT_WavMemory::LoadFromFile(const std::string& path) {
    Clear();
    switch (FileTypeOf(path)) {
        case FileType::Ogg:
            storageKind_ = kStorageOgg;
            return ogg_.LoadFile(path);
        case FileType::Wav:
            return LoadWav(path);
        case FileType::Raw:
            break;
    }
    return LoadRaw(path);
}

bool CVKT_WavMemory::LoadWav(const std::string& path) {
    CWavFileInfo info;
    info.Inspect(path);
    if (!info.opened) {
        return false;
    }
    if (!info.recognised || info.encoding == CWavFileInfo::Encoding::Unknown ||
        info.channels == 0) {
        // An unrecognised header loads as an empty sound with the reader's
        // defaults.
        const CWavFileInfo defaults;
        bitsPerSample_ = defaults.bitsPerSample;
        channels_ = defaults.channels;
        sampleRate_ = defaults.sampleRate;
        return true;
    }
    const std::uint64_t frameBytes =
        static_cast<std::uint64_t>(info.channels) * info.containerBytes;
    const std::uint64_t frames = info.dataBytes / frameBytes;
    const std::uint64_t keptBytesPerSample = info.containerBytes <= 2 ? info.containerBytes : 4;
    if (frames * info.channels * keptBytesPerSample > kMaxSampleBytes) {
        return false;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(frames * frameBytes));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenStreamForReading(path),
                                                         &std::fclose);
    if (!file || ::fseeko(file.get(), static_cast<off_t>(info.dataOffset), SEEK_SET) != 0 ||
        std::fread(data.data(), 1, data.size(), file.get()) != data.size()) {
        return false;
    }
    bitsPerSample_ = ConvertWavSamples(info, data);
    channels_ = info.channels;
    sampleRate_ = info.sampleRate;
    frameCount_ = static_cast<std::int32_t>(frames);
    samples_ = std::move(data);
    if (frameCount_ == 0) {
        samples_.clear();
    }
    return true;
}

bool CVKT_WavMemory::LoadRaw(const std::string& path) {
    std::vector<std::uint8_t> data;
    if (!ReadWholeFile(path, kMaxSampleBytes, data) || data.empty()) {
        return false;
    }
    const std::size_t frames = data.size() / 8;
    data.resize(frames * 8);
    for (std::size_t i = 0; i < frames * 2; ++i) {
        StoreFloat(&data[i * 4], LoadFloat(&data[i * 4]) * 2.0f);
    }
    bitsPerSample_ = 32;
    channels_ = 2;
    frameCount_ = static_cast<std::int32_t>(frames);
    samples_ = std::move(data);
    return true;
}

}  // namespace plexion
