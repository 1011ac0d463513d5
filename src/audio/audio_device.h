#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace plexion {

// The PCM format a device is opened with.
struct CPcmFormat {
    std::int32_t channels = 2;
    std::int32_t rate = 44100;
    std::int32_t bitsPerSample = 16;
};

// What a device tells about itself for the enumeration list.
struct CAudioDeviceCaps {
    std::string name;
    bool hasDriverVersion = false;
    std::uint32_t driverVersion = 0;  // major in bits 8-15, minor in bits 0-7
};

// The wave-output service the engine stands on: open with a PCM
// format, queue buffers, be told on the engine's thread when one was played,
// pause, restart, reset, close. The engine keeps the buffers; the device only
// reads them between Queue and the buffer-done call (or Reset/Close).
class IAudioDevice {
public:
    // Called with the index given to Queue once that buffer was played.
    using BufferDone = std::function<void(int index)>;

    virtual ~IAudioDevice() = default;
    virtual std::vector<CAudioDeviceCaps> Devices() = 0;
    // Device id -1 is the system's default device. `bufferBytes` and
    // `bufferCount` describe the ring the engine will queue.
    virtual bool Open(int deviceId, const CPcmFormat& format, int bufferBytes, int bufferCount,
                      BufferDone done) = 0;
    virtual bool Queue(int index, const std::uint8_t* data, int length) = 0;
    virtual bool Pause() = 0;
    virtual bool Restart() = 0;
    // Forgets every queued buffer without telling the engine.
    virtual void Reset() = 0;
    virtual bool Close() = 0;
};

// A device that plays nothing: tests and offline rendering decide when a
// queued buffer counts as played. It can be told to refuse opening or
// queueing.
class CNullAudioDevice final : public IAudioDevice {
public:
    struct CQueued {
        int index;
        std::vector<std::uint8_t> bytes;  // a copy, as queued
    };

    std::vector<CAudioDeviceCaps> Devices() override { return devices; }
    bool Open(int deviceId, const CPcmFormat& format, int bufferBytes, int bufferCount,
              BufferDone done) override;
    bool Queue(int index, const std::uint8_t* data, int length) override;
    bool Pause() override;
    bool Restart() override;
    void Reset() override { queue_.clear(); }
    bool Close() override;

    // Plays the oldest queued buffer: it leaves the queue and the engine is
    // told. False when nothing is queued or the device is not open.
    bool CompleteOne();
    // The oldest queued buffer, as it was queued.
    const CQueued* Front() const { return queue_.empty() ? nullptr : &queue_.front(); }
    std::size_t QueuedCount() const { return queue_.size(); }
    bool IsOpen() const { return open_; }
    bool IsPaused() const { return paused_; }
    const CPcmFormat& Format() const { return format_; }
    int DeviceId() const { return deviceId_; }
    int OpenCount() const { return openCount_; }

    // What the device claims to be, and how it misbehaves.
    std::vector<CAudioDeviceCaps> devices = {{"Null Output", true, 0x0102}};
    bool refuseOpen = false;
    bool refuseQueue = false;

private:
    bool open_ = false;
    bool paused_ = false;
    int deviceId_ = -1;
    int openCount_ = 0;
    CPcmFormat format_;
    BufferDone done_;
    std::deque<CQueued> queue_;
};

}  // namespace plexion
