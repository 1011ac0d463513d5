#pragma once

#include <string>

namespace plexion {

class CVKT_ResourceContainer;
class CVKT_WavMemory;

// Loads a sound file as an import does: like the sound's own load, but a
// file that is not a sound is refused rather than kept as a silent one: a
// ".wav" that is not a WAV file, has no channels, a coding that cannot be
// played or a sample rate of 0 or of 2^31 Hz and more; an ".ogg" that holds
// no Ogg Vorbis stream; a raw file too short for one frame. False with `why`
// saying what is wrong; the sound is then left empty.
bool LoadSoundForImport(CVKT_WavMemory& sound, const std::string& path, std::string& why);

// The sounds panel's AddFile: appends a sound named after the file's title
// and loads the file into it. Returns the new index, or -1 with nothing added
// when the file does not load or is not a sound (`why`, when given, says
// which).
int AddSoundFile(CVKT_ResourceContainer& container, const std::string& path,
                 std::string* why = nullptr);

}  // namespace plexion
