#pragma once

#include <cstdint>
#include <cstring>

namespace plexion {

// The value of sample `i` of interleaved PCM data as the engine hears it:
// 8-bit unsigned bytes around 128, 16-bit signed integers, 32-bit floats as
// stored. The single-precision constants are the ones rendering has always
// used.
struct CSample8 {
    static constexpr float kScale = 0.007874016f;  // 1/127
    static float At(const std::uint8_t* p, std::size_t i) {
        return static_cast<float>(static_cast<int>(p[i]) - 128) * kScale;
    }
};
struct CSample16 {
    static constexpr float kScale = 3.0518509e-05f;  // 1/32767
    static float At(const std::uint8_t* p, std::size_t i) {
        std::int16_t v;
        std::memcpy(&v, p + 2 * i, sizeof v);
        return static_cast<float>(v) * kScale;
    }
};
struct CSample32 {
    static float At(const std::uint8_t* p, std::size_t i) {
        float v;
        std::memcpy(&v, p + 4 * i, sizeof v);
        return v;
    }
};

}  // namespace plexion
