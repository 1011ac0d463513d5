#include "audio_source.h"

#include <cstring>

namespace plexion {
namespace {

inline float Clamp(float x) {
    if (x >= 1.0f) {
        return 1.0f;
    }
    if (x <= -1.0f) {
        return -1.0f;
    }
    return x == x ? x : 0.0f;
}

}  // namespace

bool CAudioSource::Open(std::int32_t bytesPerBuffer, std::int32_t framesPerBuffer,
                        std::int32_t bitsPerSample, std::int32_t channels, std::int32_t rate,
                        std::int32_t position) {
    bytesPerBuffer_ = bytesPerBuffer;
    framesPerBuffer_ = framesPerBuffer;
    bitsPerSample_ = bitsPerSample;
    channels_ = channels;
    rate_ = rate;
    position_ = position;
    return true;
}

bool CAudioSource::SetPosition(std::int32_t position) {
    position_ = position;
    return true;
}

bool CAudioSource::Fill(std::span<float> buffer, std::int32_t rate, std::int32_t position) {
    if (!Render(buffer, rate, position)) {
        return false;
    }
    const std::size_t wanted =
        static_cast<std::size_t>(framesPerBuffer_ < 0 ? 0 : framesPerBuffer_) *
        static_cast<std::size_t>(channels_ < 0 ? 0 : channels_);
    return ConvertToDeviceFormat(buffer, std::min(wanted, buffer.size()), bitsPerSample_);
}

bool ConvertToDeviceFormat(std::span<float> buffer, std::size_t count, std::int32_t bitsPerSample) {
    auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
    if (bitsPerSample == 16) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto value = static_cast<std::int16_t>(Clamp(buffer[i]) * 32767.0f);
            // Written at or before where it was read: the value at index i
            // takes bytes 2i and 2i + 1, inside float i's bytes 4i..4i+3 or before.
            std::memcpy(bytes + 2 * i, &value, sizeof value);
        }
        return true;
    }
    if (bitsPerSample == 8) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto value = static_cast<std::int8_t>(Clamp(buffer[i]) * 127.0f);
            bytes[i] = static_cast<unsigned char>(static_cast<std::uint8_t>(value) ^ 0x80u);
        }
        return true;
    }
    return false;
}

}  // namespace plexion
