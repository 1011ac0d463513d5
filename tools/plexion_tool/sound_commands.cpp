#include "sound_commands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "argument_values.h"
#include "audio_system.h"
#include "document_session.h"
#include "file_output.h"
#include "offline_render.h"
#include "path_import.h"
#include "qt_audio_device.h"
#include "sound_import.h"
#include "standard_output.h"
#include "tool_failure.h"
#include "wav_file_info.h"
#include "wav_file_writer.h"
#include "wav_memory.h"

namespace plexion::tool {
namespace {

const CVKT_WavMemory& FindSound(const CDocumentSession& session, const std::string& id) {
    const CVKT_ResourceContainer& resources = session.Resources();
    const CVKT_WavMemory* sound = resources.GetAt<CVKT_WavMemory>(resources.Find<CVKT_WavMemory>(id));
    if (!sound) {
        throw CToolFailure(kExitNoSuchItem, "no sound with the ID \"" + id + "\"");
    }
    return *sound;
}

// A decimal number the user typed; a usage error unless it is one.
double ParseNumber(const std::string& text, const char* what) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw UsageError(std::string(what) + " must be a number, not \"" + text + "\"");
    }
    return value;
}

// Qt Multimedia needs an application object; the sound commands that use the
// real device make one for their own length.
// Qt's own warnings (a sound server that cannot be reached, say) stay off
// standard error, where the tool writes one line per problem.
class CLocalApplication {
public:
    CLocalApplication() : previous_(qInstallMessageHandler(&Quiet)) {
        if (!QCoreApplication::instance()) {
            application_ = std::make_unique<QCoreApplication>(argc_, argv_);
        }
    }
    ~CLocalApplication() {
        application_.reset();
        qInstallMessageHandler(previous_);
    }
    CLocalApplication(const CLocalApplication&) = delete;
    CLocalApplication& operator=(const CLocalApplication&) = delete;

private:
    static inline char name_[] = "plexion-tool";
    static inline char* argv_[] = {name_, nullptr};
    static inline int argc_ = 1;
    static void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
    std::unique_ptr<QCoreApplication> application_;
};

}  // namespace

int RunAddSound(const CToolOptions& options) {
    return ImportPaths(options, [](CVKT_ResourceContainer& resources, const std::string& path) {
        std::string why;
        const int index = AddSoundFile(resources, path, &why);
        if (index < 0) {
            throw CToolFailure(kExitFileProblem,
                               "cannot add \"" + path + "\": " + why + "; nothing was added");
        }
        return index;
    });
}

int RunSoundInfo(const CToolOptions& options) {
    CWavFileInfo info;
    const std::string text = info.Inspect(options.arguments.at(0));
    PrintLine(text);
    return info.recognised ? kExitOk : kExitFileProblem;
}

int RunRenderSound(const CToolOptions& options) {
    const auto out = options.Value("-o");
    if (!out) {
        throw UsageError("render-sound needs -o OUT.wav");
    }
    std::int32_t rate = 44100;
    if (const auto text = options.Value("--rate")) {
        const double value = ParseNumber(*text, "--rate");
        if (value != std::floor(value) || value < 1000 || value > 384000) {
            throw UsageError("--rate must be a whole number of Hz from 1000 to 384000");
        }
        rate = static_cast<std::int32_t>(value);
    }
    std::int32_t bits = 16;
    if (const auto text = options.Value("--bits")) {
        if (*text != "16" && *text != "8") {
            throw UsageError("--bits must be 16 or 8");
        }
        bits = *text == "8" ? 8 : 16;
    }
    double loopSeconds = 0;
    if (const auto text = options.Value("--loop-seconds")) {
        loopSeconds = ParseNumber(*text, "--loop-seconds");
        if (loopSeconds <= 0 || loopSeconds > 3600) {
            throw UsageError("--loop-seconds must be more than 0 and at most 3600");
        }
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const CVKT_WavMemory& sound = FindSound(session, options.arguments.at(1));
    const COfflineRender render = RenderSoundOffline(sound, rate, bits, loopSeconds);
    std::string why;
    const auto wav =
        MakeWavFile(render.bitsPerSample, render.channels, render.rate, render.samples, &why);
    if (!wav) {
        throw CToolFailure(kExitFileProblem, "cannot write the rendering: " + why);
    }
    WriteOutputFile(*out, *wav);
    return kExitOk;
}

int RunPlaySound(const CToolOptions& options) {
    const bool loop = options.Has("--loop");
    double seconds = 0;
    if (const auto text = options.Value("--seconds")) {
        seconds = ParseNumber(*text, "--seconds");
        if (seconds <= 0) {
            throw UsageError("--seconds must be more than 0");
        }
    }
    int deviceId = -1;
    if (const auto text = options.Value("--device")) {
        deviceId = ParseIndex(*text, "--device");
        if (deviceId < -1) {
            throw UsageError("--device must be -1 or a device number from the devices list");
        }
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    const CVKT_WavMemory& sound = FindSound(session, options.arguments.at(1));

    CLocalApplication application;
    CQtAudioDevice device;
    CAudioSystem audio(device);
    audio.Settings().deviceId = deviceId;
    audio.ApplyAudioSettings();
    CAudioVoice* voice = audio.PlaySound(&sound);
    if (!voice) {
        throw CToolFailure(kExitNoAudioDevice, "cannot open the audio output device");
    }
    voice->SetLoop(loop);

    // Time is counted in frames handed to the device, so a device that is
    // slow to start does not cut the sound short. Once the voice has ended
    // (or the asked-for time was handed out), the buffers queued up to then
    // and the device's own buffer still have to be heard.
    const CAudioSettings& settings = audio.Settings();
    const CAudioOutput& output = audio.Output();
    const std::int64_t ring =
        static_cast<std::int64_t>(output.BufferCount()) * output.FramesPerBuffer();
    const qint64 tailMs = static_cast<qint64>(settings.bufferCount) * settings.bufferLengthMs + 200;
    const std::int64_t startFrames = output.OutputPosition();
    // A sound the engine renders as endless silence ends after its length.
    std::int64_t limitFrames = -1;
    if (seconds > 0) {
        limitFrames = static_cast<std::int64_t>(seconds * output.Rate());
    } else if (!loop && sound.StorageKind() != CVKT_WavMemory::kStorageOgg &&
               sound.SampleRate() > 0) {
        limitFrames = static_cast<std::int64_t>(std::ceil(static_cast<double>(sound.FrameCount()) *
                                                          output.Rate() / sound.SampleRate()));
    } else if (!loop && !voice->HasDecoder()) {
        limitFrames = 0;
    }
    // A device that takes nothing for this long has stopped.
    constexpr qint64 kStallMs = 10000;
    QElapsedTimer clock;
    clock.start();
    std::int64_t endFrames = -1;
    qint64 drainedAt = -1;
    std::int64_t lastPosition = output.OutputPosition();
    qint64 lastProgressAt = 0;
    bool failed = false;
    QEventLoop events;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (device.Failed() || !output.IsOpen()) {
            failed = true;
            events.quit();
            return;
        }
        const std::int64_t position = output.OutputPosition();
        if (position != lastPosition) {
            lastPosition = position;
            lastProgressAt = now;
        } else if (now - lastProgressAt > kStallMs) {
            failed = true;
            events.quit();
            return;
        }
        const std::int64_t played = position - startFrames - ring;
        if (endFrames < 0 && (!voice->IsPlaying() || voice->GetItem() != &sound ||
                              (limitFrames >= 0 && played >= limitFrames))) {
            endFrames = position;
        }
        if (endFrames >= 0 && drainedAt < 0 && position >= endFrames + ring) {
            drainedAt = now;
        }
        if (drainedAt >= 0 && now - drainedAt >= tailMs) {
            events.quit();
        }
    });
    poll.start(5);
    events.exec();
    poll.stop();
    // The sound's document closes when the command ends: no voice may keep it.
    audio.DetachSound(&sound);
    audio.ShutDownAudio();
    if (failed) {
        throw CToolFailure(kExitNoAudioDevice, "the audio output device stopped while playing");
    }
    return kExitOk;
}

int RunDevices(const CToolOptions&) {
    CLocalApplication application;
    CQtAudioDevice device;
    for (const auto& [id, name] : EnumerateAudioDevices(device)) {
        PrintLine(std::to_string(id) + '\t' + name);
    }
    return kExitOk;
}

}  // namespace plexion::tool
