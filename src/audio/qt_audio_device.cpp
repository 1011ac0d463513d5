#include "qt_audio_device.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMetaObject>

#include <algorithm>
#include <cstring>

namespace plexion {

void CBufferRingDevice::Queue(int index, const std::uint8_t* data, int length) {
    pending_.push_back({index, data, length, 0});
    // A pull-mode sink that found the ring empty stops asking until it hears
    // that data is back.
    emit readyRead();
}

void CBufferRingDevice::Forget() {
    pending_.clear();
    ++generation_;
}

qint64 CBufferRingDevice::QueuedBytes() const {
    qint64 bytes = 0;
    for (const CPending& p : pending_) {
        bytes += p.length - p.offset;
    }
    return bytes;
}

qint64 CBufferRingDevice::bytesAvailable() const {
    return QueuedBytes() + QIODevice::bytesAvailable();
}

qint64 CBufferRingDevice::readData(char* data, qint64 maxSize) {
    qint64 copied = 0;
    while (copied < maxSize && !pending_.empty()) {
        CPending& front = pending_.front();
        const qint64 take = std::min<qint64>(maxSize - copied, front.length - front.offset);
        std::memcpy(data + copied, front.data + front.offset, static_cast<std::size_t>(take));
        copied += take;
        front.offset += static_cast<int>(take);
        if (front.offset >= front.length) {
            const int index = front.index;
            pending_.pop_front();
            const quint64 generation = generation_;
            QMetaObject::invokeMethod(
                this,
                [this, index, generation] {
                    if (generation == generation_ && done_) {
                        done_(index);
                    }
                },
                Qt::QueuedConnection);
        }
    }
    return copied;
}

CQtAudioDevice::CQtAudioDevice() = default;

CQtAudioDevice::~CQtAudioDevice() {
    Close();
}

std::vector<CAudioDeviceCaps> CQtAudioDevice::Devices() {
    std::vector<CAudioDeviceCaps> list;
    for (const QAudioDevice& device : QMediaDevices::audioOutputs()) {
        // Qt Multimedia reports no driver version.
        list.push_back({device.description().toStdString(), false, 0});
    }
    return list;
}

bool CQtAudioDevice::Open(int deviceId, const CPcmFormat& format, int bufferBytes, int bufferCount,
                          BufferDone done) {
    Close();
    QAudioDevice device;
    if (deviceId == -1) {
        device = QMediaDevices::defaultAudioOutput();
    } else {
        const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
        if (deviceId >= 0 && deviceId < outputs.size()) {
            device = outputs[deviceId];
        }
    }
    if (device.isNull()) {
        return false;
    }
    QAudioFormat qtFormat;
    qtFormat.setChannelCount(format.channels);
    qtFormat.setSampleRate(format.rate);
    if (format.bitsPerSample == 16) {
        qtFormat.setSampleFormat(QAudioFormat::Int16);
    } else if (format.bitsPerSample == 8) {
        qtFormat.setSampleFormat(QAudioFormat::UInt8);
    } else {
        return false;
    }
    if (!device.isFormatSupported(qtFormat)) {
        return false;
    }
    ring_ = std::make_unique<CBufferRingDevice>(std::move(done));
    ring_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, qtFormat);
    bufferBytes_ = bufferBytes;
    bufferCount_ = bufferCount;
    // The sink asks for no more than the ring holds, so the engine's latency
    // stays buffer count × buffer length.
    if (bufferBytes > 0 && bufferCount > 0) {
        sink_->setBufferSize(static_cast<qsizetype>(bufferBytes) * bufferCount);
    }
    started_ = false;
    return true;
}

bool CQtAudioDevice::Queue(int index, const std::uint8_t* data, int length) {
    if (!sink_ || !ring_) {
        return false;
    }
    ring_->Queue(index, data, length);
    if (!started_) {
        // Start once the first buffers wait, so the sink never begins on an
        // empty ring; a sink that cannot start (no server) fails here.
        sink_->start(ring_.get());
        started_ = true;
        if (sink_->error() != QAudio::NoError) {
            return false;
        }
    }
    return !Failed();
}

bool CQtAudioDevice::Failed() const {
    return sink_ && started_ &&
           (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError ||
            sink_->error() == QAudio::IOError);
}

bool CQtAudioDevice::Pause() {
    if (!sink_) {
        return false;
    }
    sink_->suspend();
    return sink_->error() == QAudio::NoError || sink_->error() == QAudio::UnderrunError;
}

bool CQtAudioDevice::Restart() {
    if (!sink_) {
        return false;
    }
    sink_->resume();
    return sink_->error() == QAudio::NoError || sink_->error() == QAudio::UnderrunError;
}

void CQtAudioDevice::Reset() {
    if (ring_) {
        ring_->Forget();
    }
}

bool CQtAudioDevice::Close() {
    if (!sink_) {
        return true;
    }
    const bool ok = !Failed();
    sink_->stop();
    sink_.reset();
    ring_.reset();
    started_ = false;
    return ok;
}

}  // namespace plexion
