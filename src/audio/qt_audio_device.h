#pragma once

#include <QIODevice>
#include <QPointer>

#include <deque>
#include <memory>

#include "audio_device.h"

class QAudioSink;

namespace plexion {

// Serves the engine's queued buffers to a QAudioSink in pull mode. When the
// sink has read the last byte of a buffer, the buffer-done call is posted to
// this object's thread (the GUI thread), like the wave-output service's
// window message: the engine never refills inside the sink's read.
class CBufferRingDevice final : public QIODevice {
    Q_OBJECT
public:
    explicit CBufferRingDevice(IAudioDevice::BufferDone done) : done_(std::move(done)) {}
    void Queue(int index, const std::uint8_t* data, int length);
    void Forget();
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }
    qint64 QueuedBytes() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    struct CPending {
        int index;
        const std::uint8_t* data;
        int length;
        int offset;
    };
    IAudioDevice::BufferDone done_;
    std::deque<CPending> pending_;
    // Bumped by Forget, so done calls posted before it are dropped.
    quint64 generation_ = 0;
};

// The real device: Qt Multimedia's QMediaDevices and QAudioSink. Needs a
// QCoreApplication and its event loop on the calling thread. With no sound
// server there are no devices and opening fails.
class CQtAudioDevice final : public IAudioDevice {
public:
    CQtAudioDevice();
    ~CQtAudioDevice() override;

    std::vector<CAudioDeviceCaps> Devices() override;
    bool Open(int deviceId, const CPcmFormat& format, int bufferBytes, int bufferCount,
              BufferDone done) override;
    bool Queue(int index, const std::uint8_t* data, int length) override;
    bool Pause() override;
    bool Restart() override;
    void Reset() override;
    bool Close() override;

    // The sink reported an error (its server went away) since it started.
    bool Failed() const;

private:
    std::unique_ptr<CBufferRingDevice> ring_;
    std::unique_ptr<QAudioSink> sink_;
    bool started_ = false;
    int bufferBytes_ = 0;
    int bufferCount_ = 0;
};

}  // namespace plexion
