#pragma once

#include <cstdint>
#include <span>

namespace plexion {

// A link of the pull chain: the mixer and the voices. Buffers
// are floats with a nominal range of ±1.0, frames per buffer × channels of
// them; fill converts them in place to the device format.
class CAudioSource {
public:
    CAudioSource() = default;
    CAudioSource(const CAudioSource&) = delete;
    CAudioSource& operator=(const CAudioSource&) = delete;
    virtual ~CAudioSource() = default;

    virtual bool Open(std::int32_t bytesPerBuffer, std::int32_t framesPerBuffer,
                      std::int32_t bitsPerSample, std::int32_t channels, std::int32_t rate,
                      std::int32_t position);
    virtual bool Pause() { return true; }
    virtual bool Resume() { return true; }
    virtual bool SetPosition(std::int32_t position);
    virtual std::int32_t GetPosition() { return position_; }
    virtual bool Stop() { return true; }
    // Renders one buffer and converts it in place to the device format
    // format; `buffer` holds frames per buffer × channels floats.
    virtual bool Fill(std::span<float> buffer, std::int32_t rate, std::int32_t position);
    // Produces frames per buffer × channels floats; false when the source
    // contributes nothing.
    virtual bool Render(std::span<float> buffer, std::int32_t rate, std::int32_t position) = 0;

    std::int32_t FramesPerBuffer() const { return framesPerBuffer_; }
    std::int32_t BytesPerBuffer() const { return bytesPerBuffer_; }
    std::int32_t BitsPerSample() const { return bitsPerSample_; }
    std::int32_t Channels() const { return channels_; }
    std::int32_t Rate() const { return rate_; }

protected:
    std::int32_t position_ = 0;
    std::int32_t framesPerBuffer_ = 0;
    std::int32_t bytesPerBuffer_ = 0;
    std::int32_t bitsPerSample_ = 16;
    std::int32_t channels_ = 2;
    std::int32_t rate_ = 44100;
};

// The device conversion of `count` floats at the front of `buffer`, in
// place: clamp to ±1.0 (a NaN counts as 0), then 16-bit trunc(x × 32767) or
// 8-bit trunc(x × 127) XOR 0x80. False for any other bits per sample.
bool ConvertToDeviceFormat(std::span<float> buffer, std::size_t count, std::int32_t bitsPerSample);

}  // namespace plexion
