#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace plexion {

class CArchive;

// The values of a Vorbis identification header, all 0 while unknown.
struct COggStreamInfo {
    std::int32_t version = 0;
    std::int32_t channels = 0;
    std::int32_t rate = 0;
    std::int32_t bitrateUpper = 0;
    std::int32_t bitrateNominal = 0;
    std::int32_t bitrateLower = 0;
    std::int32_t bitrateWindow = 0;
    bool operator==(const COggStreamInfo&) const = default;
};

// An Ogg Vorbis file kept compressed, as imported.
class COggSoundData {
public:
    void Clear();
    bool Empty() const { return bytes_.empty(); }
    std::int32_t ByteLength() const { return static_cast<std::int32_t>(bytes_.size()); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    void SetBytes(std::vector<std::uint8_t> bytes) { bytes_ = std::move(bytes); }
    const COggStreamInfo& StreamInfo() const { return info_; }
    void SetStreamInfo(const COggStreamInfo& info) { info_ = info; }

    // The byte length and the bytes.
    void Serialize(CArchive& archive);

private:
    COggStreamInfo info_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace plexion
