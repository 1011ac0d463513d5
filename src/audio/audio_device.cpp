#include "audio_device.h"

namespace plexion {

bool CNullAudioDevice::Open(int deviceId, const CPcmFormat& format, int /*bufferBytes*/,
                            int /*bufferCount*/, BufferDone done) {
    if (refuseOpen || open_ || deviceId < -1 || deviceId >= static_cast<int>(devices.size())) {
        return false;
    }
    open_ = true;
    paused_ = false;
    deviceId_ = deviceId;
    format_ = format;
    done_ = std::move(done);
    ++openCount_;
    return true;
}

bool CNullAudioDevice::Queue(int index, const std::uint8_t* data, int length) {
    if (!open_ || refuseQueue || length < 0) {
        return false;
    }
    queue_.push_back({index, std::vector<std::uint8_t>(data, data + length)});
    return true;
}

bool CNullAudioDevice::Pause() {
    paused_ = open_;
    return open_;
}

bool CNullAudioDevice::Restart() {
    paused_ = false;
    return open_;
}

bool CNullAudioDevice::Close() {
    queue_.clear();
    done_ = nullptr;
    const bool wasOpen = open_;
    open_ = false;
    return wasOpen;
}

bool CNullAudioDevice::CompleteOne() {
    if (!open_ || queue_.empty()) {
        return false;
    }
    const int index = queue_.front().index;
    queue_.pop_front();
    // Copy the callback: the engine may close the device while it runs.
    const BufferDone done = done_;
    if (done) {
        done(index);
    }
    return true;
}

}  // namespace plexion
