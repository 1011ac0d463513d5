#pragma once

#include <cstdint>
#include <vector>

#include "audio_device.h"
#include "audio_source.h"

namespace plexion {

// The output engine: a ring of device buffers, each refilled by
// the source when the device hands it back.
class CAudioOutput {
public:
    explicit CAudioOutput(IAudioDevice& device) : device_(device) {}
    CAudioOutput(const CAudioOutput&) = delete;
    CAudioOutput& operator=(const CAudioOutput&) = delete;
    ~CAudioOutput() { Close(); }

    bool Configure(std::int32_t deviceId, std::int32_t bufferCount, std::int32_t bufferLengthMs,
                   std::int32_t bitsPerSample, std::int32_t rate, std::int32_t channels);
    bool SetSource(CAudioSource* source);
    bool Open();
    bool IsOpen() const { return open_ != 0; }
    bool Close();
    bool Pause();
    bool Resume();
    bool SetPosition(std::int32_t position);
    // The device played buffer `index`.
    void BufferDone(int index);

    std::int32_t DeviceId() const { return deviceId_; }
    std::int32_t BufferCount() const { return bufferCount_; }
    std::int32_t FramesPerBuffer() const { return framesPerBuffer_; }
    std::int32_t BytesPerBuffer() const { return bytesPerBuffer_; }
    std::int32_t BitsPerSample() const { return bitsPerSample_; }
    std::int32_t Channels() const { return channels_; }
    std::int32_t Rate() const { return rate_; }
    std::int32_t OutputPosition() const { return outputPosition_; }
    IAudioDevice& Device() { return device_; }

private:
    struct CBuffer {
        std::vector<float> memory;  // frames per buffer × channels floats
        std::int32_t length = 0;    // bytes of device samples
    };
    bool FillBuffer(CBuffer& buffer);
    bool FailOpen();

    IAudioDevice& device_;
    std::int32_t open_ = 0;
    std::int32_t outputPosition_ = 0;
    std::int32_t deviceId_ = -1;
    std::int32_t bufferCount_ = 4;
    std::int32_t framesPerBuffer_ = 3000;
    std::int32_t bytesPerBuffer_ = 12000;
    std::int32_t bitsPerSample_ = 16;
    std::int32_t channels_ = 2;
    std::int32_t rate_ = 44100;
    bool deviceOpen_ = false;
    std::vector<CBuffer> buffers_;
    CAudioSource* source_ = nullptr;
};

}  // namespace plexion
