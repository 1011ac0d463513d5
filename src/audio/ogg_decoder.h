#pragma once

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstdint>

namespace plexion {

// The state of one running decode over the file bytes of one Ogg Vorbis
// sound. Made by COggSoundData::OpenDecoder and owned by the voice
// that plays the sound; the destructor clears whatever libogg and libvorbis
// state was set up, in the order stream, block, DSP, comment, info, sync.
struct COggDecoder {
    enum DecodeState : std::int32_t { kNeedsData = 0, kEndOfStream = 1, kDrainFirst = 2 };

    COggDecoder();
    COggDecoder(const COggDecoder&) = delete;
    COggDecoder& operator=(const COggDecoder&) = delete;
    ~COggDecoder();

    std::int32_t readChunkSize = 0;
    ogg_sync_state sync;
    ogg_stream_state stream;
    ogg_page page;
    ogg_packet packet;
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    char* lastReadBuffer = nullptr;
    std::int32_t lastReadCount = 0;
    std::int32_t readCursor = 0;
    std::int32_t decodeState = kNeedsData;
    std::int32_t bytesPerBuffer = 0;
    std::int32_t framesPerBuffer = 0;
    std::int32_t bitsPerSample = 0;
    std::int32_t channels = 0;
    std::int32_t rate = 0;
    std::int32_t open = 0;
    // Frames of the stream (not zero fill) written by the last decode.
    std::int32_t lastDecodedFrames = 0;

    // Which parts of the libogg and libvorbis state exist.
    bool syncReady = false;
    bool streamReady = false;
    bool infoReady = false;
    bool commentReady = false;
    bool dspReady = false;
    bool blockReady = false;
};

}  // namespace plexion
