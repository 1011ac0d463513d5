#include "wav_file_writer.h"

#include <limits>

namespace plexion {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;

class CLittleEndianBytes {
public:
    void Tag(const char (&tag)[5]) { bytes_.insert(bytes_.end(), tag, tag + 4); }
    void U16(std::uint16_t v) {
        for (int i = 0; i < 2; ++i) {
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    void Raw(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

bool Refuse(std::string* error, const std::string& why) {
    if (error) {
        *error = why;
    }
    return false;
}

bool CheckNumbers(std::int32_t bits, std::int32_t channels, std::int32_t rate, std::size_t dataSize,
                  std::string* error) {
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Refuse(error, std::to_string(bits) + "-bit samples have no WAV form");
    }
    if (channels < 1 || channels > std::numeric_limits<std::uint16_t>::max()) {
        return Refuse(error, std::to_string(channels) + " channels have no WAV form");
    }
    const std::uint64_t blockAlign = static_cast<std::uint64_t>(channels) * (bits / 8);
    if (rate < 1 || blockAlign > std::numeric_limits<std::uint16_t>::max() ||
        blockAlign * static_cast<std::uint64_t>(rate) > std::numeric_limits<std::uint32_t>::max()) {
        return Refuse(error, "a rate of " + std::to_string(rate) + " Hz has no WAV form here");
    }
    if (dataSize % blockAlign != 0) {
        return Refuse(error, "the samples do not make whole frames");
    }
    // RIFF sizes are 32-bit; leave room for the headers and the pad byte.
    if (dataSize > std::numeric_limits<std::uint32_t>::max() - 128u) {
        return Refuse(error, "the samples are too long for a WAV file");
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> MakeWavFile(std::int32_t bitsPerSample,
                                                     std::int32_t channels, std::int32_t sampleRate,
                                                     std::span<const std::uint8_t> samples,
                                                     std::string* error) {
    if (!CheckNumbers(bitsPerSample, channels, sampleRate, samples.size(), error)) {
        return std::nullopt;
    }
    const bool isFloat = bitsPerSample == 32;
    const auto blockAlign = static_cast<std::uint16_t>(channels * (bitsPerSample / 8));
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t padding = dataSize % 2;
    const std::uint32_t formatSize = isFloat ? 18 : 16;
    const std::uint32_t factChunk = isFloat ? 12 : 0;
    CLittleEndianBytes wav;
    wav.Tag("RIFF");
    wav.U32(4 + (8 + formatSize) + factChunk + (8 + dataSize + padding));
    wav.Tag("WAVE");
    wav.Tag("fmt ");
    wav.U32(formatSize);
    wav.U16(isFloat ? kFormatFloat : kFormatPcm);
    wav.U16(static_cast<std::uint16_t>(channels));
    wav.U32(static_cast<std::uint32_t>(sampleRate));
    wav.U32(static_cast<std::uint32_t>(sampleRate) * blockAlign);
    wav.U16(blockAlign);
    wav.U16(static_cast<std::uint16_t>(bitsPerSample));
    if (isFloat) {
        wav.U16(0);  // no extension bytes
        wav.Tag("fact");
        wav.U32(4);
        wav.U32(dataSize / blockAlign);
    }
    wav.Tag("data");
    wav.U32(dataSize);
    wav.Raw(samples);
    if (padding) {
        wav.Bytes().push_back(0);
    }
    return std::move(wav.Bytes());
}

}  // namespace plexion
