#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plexion {

// The bytes of a canonical RIFF/WAVE file holding interleaved samples:
// integer PCM (format 1) for 8, 16 and 24 bits, IEEE float (format 3, with
// its "fact" chunk) for 32 bits, the data chunk padded to an even size.
// Nothing when the numbers cannot describe such a file; `error` then says why.
std::optional<std::vector<std::uint8_t>> MakeWavFile(std::int32_t bitsPerSample,
                                                     std::int32_t channels, std::int32_t sampleRate,
                                                     std::span<const std::uint8_t> samples,
                                                     std::string* error = nullptr);

}  // namespace plexion
