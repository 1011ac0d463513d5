#include "audio_output.h"

#include <limits>
#include <new>

namespace plexion {

bool CAudioOutput::Configure(std::int32_t deviceId, std::int32_t bufferCount,
                             std::int32_t bufferLengthMs, std::int32_t bitsPerSample,
                             std::int32_t rate, std::int32_t channels) {
    Close();
    deviceId_ = deviceId;
    bufferCount_ = bufferCount;
    buffers_.clear();
    bitsPerSample_ = bitsPerSample;
    rate_ = rate;
    channels_ = channels;
    const std::int64_t frames = static_cast<std::int64_t>(bufferLengthMs) * rate / 1000;
    framesPerBuffer_ = static_cast<std::int32_t>(frames);
    bytesPerBuffer_ = static_cast<std::int32_t>(frames * (bitsPerSample / 8) * channels);
    return true;
}

bool CAudioOutput::SetSource(CAudioSource* source) {
    Close();
    source_ = source;
    return true;
}

bool CAudioOutput::FillBuffer(CBuffer& buffer) {
    return source_->Fill(buffer.memory, rate_, outputPosition_);
}

bool CAudioOutput::FailOpen() {
    if (deviceOpen_) {
        device_.Reset();
        device_.Close();
        deviceOpen_ = false;
    }
    buffers_.clear();
    return false;
}

bool CAudioOutput::Open() {
    if (open_) {
        return true;
    }
    if (!source_ || bufferCount_ < 1 || framesPerBuffer_ < 1 || channels_ < 1 ||
        (bitsPerSample_ != 8 && bitsPerSample_ != 16)) {
        return false;
    }
    const CPcmFormat format{channels_, rate_, bitsPerSample_};
    bytesPerBuffer_ = framesPerBuffer_ * (bitsPerSample_ / 8) * channels_;
    outputPosition_ = 0;
    if (!source_->Open(bytesPerBuffer_, framesPerBuffer_, bitsPerSample_, channels_, rate_, 0)) {
        return false;
    }
    if (!device_.Open(deviceId_, format, bytesPerBuffer_, bufferCount_,
                      [this](int index) { BufferDone(index); })) {
        return false;
    }
    deviceOpen_ = true;
    try {
        buffers_.assign(static_cast<std::size_t>(bufferCount_), CBuffer{});
        for (CBuffer& buffer : buffers_) {
            buffer.memory.assign(
                static_cast<std::size_t>(framesPerBuffer_) * static_cast<std::size_t>(channels_),
                0.0f);
            buffer.length = bytesPerBuffer_;
        }
    } catch (const std::bad_alloc&) {
        return FailOpen();
    }
    for (CBuffer& buffer : buffers_) {
        if (!FillBuffer(buffer)) {
            return FailOpen();
        }
        outputPosition_ += framesPerBuffer_;
    }
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffers_[i].memory.data());
        if (!device_.Queue(static_cast<int>(i), bytes, buffers_[i].length)) {
            return FailOpen();
        }
    }
    open_ = 1;
    return true;
}

void CAudioOutput::BufferDone(int index) {
    if (!open_ || index < 0 || index >= static_cast<int>(buffers_.size())) {
        return;
    }
    CBuffer& buffer = buffers_[static_cast<std::size_t>(index)];
    if (!FillBuffer(buffer)) {
        Close();
        return;
    }
    outputPosition_ += framesPerBuffer_;
    if (!device_.Queue(index, reinterpret_cast<const std::uint8_t*>(buffer.memory.data()),
                       buffer.length)) {
        Close();
    }
}

bool CAudioOutput::Close() {
    bool result = true;
    if (open_) {
        if (source_) {
            source_->Stop();
        }
        device_.Reset();
        result = device_.Close();
        deviceOpen_ = false;
        buffers_.clear();
        open_ = 0;
    }
    return result;
}

bool CAudioOutput::Pause() {
    const bool device = open_ && device_.Pause();
    const bool source = source_ && source_->Pause();
    return device && source;
}

bool CAudioOutput::Resume() {
    const bool device = open_ && device_.Restart();
    const bool source = source_ && source_->Resume();
    return device && source;
}

bool CAudioOutput::SetPosition(std::int32_t position) {
    outputPosition_ = position;
    return source_ ? source_->SetPosition(position) : false;
}

}  // namespace plexion
