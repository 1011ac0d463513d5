#pragma once

#include <SDL.h>

#include <string>

#include "plexion_dat.hpp"

namespace plexion_game {

// Plays one sound at a time on the default audio device: PCM as stored,
// Ogg Vorbis decoded with libvorbisfile first.
class CSoundPlayback {
public:
    CSoundPlayback() = default;
    CSoundPlayback(const CSoundPlayback&) = delete;
    CSoundPlayback& operator=(const CSoundPlayback&) = delete;
    ~CSoundPlayback() { Close(); }

    // Stops what plays and starts `sound`; false with the reason otherwise.
    bool Play(const plexion_dat::SSound& sound, std::string& problem);

private:
    bool Open(SDL_AudioFormat format, int channels, int rate, std::string& problem);
    void Close();

    SDL_AudioDeviceID device_ = 0;
};

}  // namespace plexion_game
