#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace plexion {

class CArchive;
struct COggDecoder;

// Deletes a decoder; defined where COggDecoder is complete.
struct COggDecoderDeleter {
    void operator()(COggDecoder* decoder) const;
};
using COggDecoderPtr = std::unique_ptr<COggDecoder, COggDecoderDeleter>;

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

// An Ogg Vorbis file kept compressed, as imported, and the streaming decoder
// over it.
class COggSoundData {
public:
    void Clear();
    bool Empty() const { return bytes_.empty(); }
    std::int32_t ByteLength() const { return static_cast<std::int32_t>(bytes_.size()); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    void SetBytes(std::vector<std::uint8_t> bytes) { bytes_ = std::move(bytes); }
    const COggStreamInfo& StreamInfo() const { return info_; }
    void SetStreamInfo(const COggStreamInfo& info) { info_ = info; }

    // Empties itself, reads the whole file, then the stream information. True
    // when the file was opened and at least one byte was read.
    bool LoadFile(const std::string& path);
    // Reads the stream information from the bytes (all 0 when that fails).
    void ReadStreamInfo();

    // The byte length and the bytes; reading also reads the stream
    // information.
    void Serialize(CArchive& archive);

    // Copies the next chunk of the bytes into the decoder's last sync buffer;
    // the count copied.
    std::int32_t ReadChunk(COggDecoder* decoder) const;
    // `existing` comes back unchanged when it is open with the
    // same parameters; otherwise it is closed and a new decoder is opened.
    // Null when the bytes hold no readable Vorbis stream.
    COggDecoderPtr OpenDecoder(COggDecoderPtr existing, std::int32_t bytesPerBuffer,
                               std::int32_t framesPerBuffer, std::int32_t bitsPerSample,
                               std::int32_t channels, std::int32_t rate) const;
    // Clears the decoder's state and destroys it; always null.
    static COggDecoderPtr CloseDecoder(COggDecoderPtr decoder);
    // Decodes frames per buffer frames of `channels` interleaved floats
    // (a one-channel stream gives its samples to both of two outputs). False
    // at the end of the stream. `out` must hold frames × channels floats.
    bool Decode(COggDecoder* decoder, std::span<float> out, std::int32_t rate,
                std::int32_t position) const;
    static bool SetPosition(COggDecoder* decoder, std::int32_t byteOffset);
    static std::int32_t GetPosition(const COggDecoder* decoder);

private:
    COggStreamInfo info_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace plexion
