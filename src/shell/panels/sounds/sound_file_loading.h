#pragma once

#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace plexion {

class CVKT_WavMemory;

// The filter of every sound file dialog, as label and pattern pairs.
inline constexpr const char* kSoundFileFilter =
    "Supported Sounds Files (*.wav;*.ogg;*.pcm)\n*.wav;*.ogg;*.pcm\n"
    "Windows Sounds Files (*.wav)\n*.wav\n"
    "OGG Vorbis (*.ogg)\n*.ogg\n"
    "Cool Edit Pro RAW 32 Bits Stereo Files (*.pcm)\n*.pcm\n"
    "All Files (*.*)\n*.*\n\n";

// An Open dialog over the sound files, starting in `folder`: one file, or
// several when `several` is set. Empty when cancelled.
QStringList ChooseSoundFiles(QWidget* parent, const QString& title, const QString& folder,
                             bool several);

// Loads a WAV, Ogg Vorbis or raw file into `sound` as an import does, so a
// file that is not a sound is refused. Unlike loading straight into it, a
// file that does not load leaves the sound as it was. Raw samples keep the
// sound's sample rate.
bool ReloadSound(CVKT_WavMemory& sound, const std::string& path);

// The path as the file system names it.
std::string LocalFilePath(const QString& path);

// Tells the user that `path` could not be loaded as a sound.
void ShowSoundLoadFailed(QWidget* parent, const QString& path);

}  // namespace plexion
