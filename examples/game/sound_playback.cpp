#include "sound_playback.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace plexion_game {
namespace {

// libvorbisfile reads the Ogg bytes the document holds through these.
struct SMemoryStream {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    auto* stream = static_cast<SMemoryStream*>(source);
    const std::size_t wanted = size * count;
    const std::size_t n = std::min(wanted, stream->bytes->size() - stream->at);
    if (n > 0) {
        std::memcpy(out, stream->bytes->data() + stream->at, n);
    }
    stream->at += n;
    return size ? n / size : 0;
}

// Decodes the whole stream to interleaved 16-bit samples.
bool DecodeOgg(const std::vector<std::uint8_t>& bytes, std::vector<char>& pcm, int& channels,
               int& rate) {
    SMemoryStream stream = {&bytes, 0};
    const ov_callbacks callbacks = {ReadMemory, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, callbacks) != 0) {
        return false;
    }
    const vorbis_info* info = ov_info(&file, -1);
    channels = info ? info->channels : 0;
    rate = info ? static_cast<int>(info->rate) : 0;
    char piece[16384];
    int section = 0;
    long got = 0;
    while ((got = ov_read(&file, piece, sizeof piece, 0, 2, 1, &section)) > 0) {
        pcm.insert(pcm.end(), piece, piece + got);
    }
    ov_clear(&file);
    return got == 0 && channels > 0 && rate > 0;
}

}  // namespace

void CSoundPlayback::Close() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
}

bool CSoundPlayback::Open(SDL_AudioFormat format, int channels, int rate, std::string& problem) {
    Close();
    if (channels < 1 || channels > 8 || rate < 1) {
        problem = "the sound's format cannot be played";
        return false;
    }
    // Audio starts with the first sound, so that a machine without audio
    // output still plays the rest of the game.
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        problem = std::string("no audio output: ") + SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = format;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = 4096;
    // SDL converts to what the device takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        problem = SDL_GetError();
        return false;
    }
    return true;
}

bool CSoundPlayback::Play(const plexion_dat::SSound& sound, std::string& problem) {
    if (sound.storage == plexion_dat::SSound::kOgg) {
        std::vector<char> pcm;
        int channels = 0;
        int rate = 0;
        if (!DecodeOgg(sound.ogg, pcm, channels, rate)) {
            problem = "the Ogg Vorbis sound cannot be decoded";
            return false;
        }
        if (!Open(AUDIO_S16LSB, channels, rate, problem)) {
            return false;
        }
        SDL_QueueAudio(device_, pcm.data(), static_cast<Uint32>(pcm.size()));
    } else {
        const SDL_AudioFormat format = sound.bits == 8    ? AUDIO_U8
                                       : sound.bits == 16 ? AUDIO_S16LSB
                                       : sound.bits == 32 ? AUDIO_F32LSB
                                                          : 0;
        if (format == 0) {
            problem = "the sound's format cannot be played";
            return false;
        }
        if (!Open(format, sound.channels, sound.rate, problem)) {
            return false;
        }
        SDL_QueueAudio(device_, sound.pcm.data(), static_cast<Uint32>(sound.pcm.size()));
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

}  // namespace plexion_game
