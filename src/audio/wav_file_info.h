#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexion {

// The header of a WAV file, read by walking the RIFF
// chunk list rather than assuming the canonical 44-byte layout: "fmt " and
// "data" are found wherever they stand, odd chunk sizes are padded, the
// extensible format is understood and the full 32-bit rate is read. Nothing
// is ever read past the end of the file.
class CWavFileInfo {
public:
    static constexpr const char* kCannotOpen = "Can't open filename";
    static constexpr const char* kNotWav = "Not a windows .WAV file !";
    static constexpr const char* kNoRoom = "Sorry, can't get file infos !";

    // How the samples are coded.
    enum class Encoding { Unknown, Integer, Float };

    // The header text's fields, with the values of a file that has none.
    std::uint16_t channels = 2;
    std::int32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;
    std::int32_t frameCount = 0;

    // Beyond the header text: what the loader needs.
    bool opened = false;      // the file could be opened
    bool recognised = false;  // a RIFF/WAVE file with "fmt " and "data"
    Encoding encoding = Encoding::Unknown;
    bool extensible = false;      // WAVE_FORMAT_EXTENSIBLE
    std::uint16_t formatTag = 0;  // the effective format (the sub-format when extensible)
    std::uint16_t blockAlign = 0;
    std::uint16_t containerBytes = 0;  // bytes of one sample in the data
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;  // the data chunk's bytes that the file holds

    // Reads the header of `path`; its description text, or
    // one of the three failure texts.
    std::string Inspect(const std::string& path);
};

// 1234567 is written "1 234 567"; numbers under 1000 as they are.
std::string GroupDigits(std::int64_t value);
// frames × 1000 / rate milliseconds (rounded half away from zero) as
// "m:ss.mmm"; a rate of 0 or less gives 0:00.000.
std::string DurationText(std::int64_t frames, std::int32_t rate);

}  // namespace plexion
