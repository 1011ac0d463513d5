#include "wav_memory.h"

#include <cstdio>
#include <limits>

#include "archive.h"

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

bool CVKT_WavMemory::Clear() {
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
