#pragma once

#include <QStringList>

namespace plexion {

class CAudioSystem;
class CVKT_WavMemory;

// What the "Play" cell of a sound shows and sets; the numbers are the
// indexes of PlayStateNames().
enum SoundPlayState { kSoundStopped = 0, kSoundPlaying = 1, kSoundLooping = 2 };

// "Stop", "Play", "Loop Play".
const QStringList& PlayStateNames();

// Stopped unless a voice of `audio` plays `sound`; the first such voice
// tells whether it loops. Stopped when there is no audio system.
SoundPlayState PlayStateOf(const CAudioSystem* audio, const CVKT_WavMemory* sound);

// Stops every voice playing `sound`, or plays it once more (once or in a
// loop) on the voice the audio system chooses. Nothing happens without an
// audio system, or when no voice can be had (no output device): then the
// result is false.
bool ApplyPlayState(CAudioSystem* audio, const CVKT_WavMemory* sound, int state);

}  // namespace plexion
