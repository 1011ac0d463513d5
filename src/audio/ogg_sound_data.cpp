#include "ogg_sound_data.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "archive.h"
#include "file_bytes.h"
#include "ogg_decoder.h"

namespace plexion {
namespace {

// The stream information is read with a small decoder: a read chunk of 100 bytes.
constexpr std::int32_t kInfoBytesPerBuffer = 100;
constexpr std::int32_t kInfoFramesPerBuffer = 100;
constexpr std::int32_t kInfoBits = 8;
constexpr std::int32_t kInfoChannels = 1;
constexpr std::int32_t kInfoRate = 44100;

// Gets a sync buffer of the read chunk size, reads the next chunk into it and
// reports the count to the sync layer; the count (0 when nothing is left or
// no buffer could be had).
std::int32_t ReadNextChunk(const COggSoundData& data, COggDecoder& decoder) {
    decoder.lastReadBuffer = ogg_sync_buffer(&decoder.sync, decoder.readChunkSize);
    if (!decoder.lastReadBuffer) {
        decoder.lastReadCount = 0;
        return 0;
    }
    const std::int32_t count = data.ReadChunk(&decoder);
    ogg_sync_wrote(&decoder.sync, count);
    return count;
}

// Takes the two header packets after the identification header; false when
// the bytes end first or a packet is not a Vorbis header.
bool ReadRemainingHeaders(const COggSoundData& data, COggDecoder& d) {
    int headers = 0;
    for (;;) {
        while (headers < 2) {
            const int pageResult = ogg_sync_pageout(&d.sync, &d.page);
            if (pageResult == 0) {
                break;
            }
            if (pageResult < 0) {
                continue;
            }
            ogg_stream_pagein(&d.stream, &d.page);
            while (headers < 2) {
                const int packetResult = ogg_stream_packetout(&d.stream, &d.packet);
                if (packetResult == 0) {
                    break;
                }
                if (packetResult < 0 ||
                    vorbis_synthesis_headerin(&d.info, &d.comment, &d.packet) < 0) {
                    return false;
                }
                ++headers;
            }
        }
        const std::int32_t count = ReadNextChunk(data, d);
        if (headers >= 2) {
            return true;
        }
        if (count == 0) {
            return false;
        }
    }
}

}  // namespace

void COggDecoderDeleter::operator()(COggDecoder* decoder) const {
    delete decoder;
}

COggDecoder::COggDecoder() {
    std::memset(&sync, 0, sizeof sync);
    std::memset(&stream, 0, sizeof stream);
    std::memset(&page, 0, sizeof page);
    std::memset(&packet, 0, sizeof packet);
    std::memset(&info, 0, sizeof info);
    std::memset(&comment, 0, sizeof comment);
    std::memset(&dsp, 0, sizeof dsp);
    std::memset(&block, 0, sizeof block);
}

COggDecoder::~COggDecoder() {
    if (streamReady) {
        ogg_stream_clear(&stream);
    }
    if (blockReady) {
        vorbis_block_clear(&block);
    }
    if (dspReady) {
        vorbis_dsp_clear(&dsp);
    }
    if (commentReady) {
        vorbis_comment_clear(&comment);
    }
    if (infoReady) {
        vorbis_info_clear(&info);
    }
    if (syncReady) {
        ogg_sync_clear(&sync);
    }
}

void COggSoundData::Clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    info_ = {};
}

bool COggSoundData::LoadFile(const std::string& path) {
    Clear();
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()),
                       bytes) ||
        bytes.empty()) {
        return false;
    }
    bytes_ = std::move(bytes);
    ReadStreamInfo();
    return true;
}

void COggSoundData::ReadStreamInfo() {
    info_ = {};
    if (bytes_.empty()) {
        return;
    }
    COggDecoderPtr decoder = OpenDecoder(nullptr, kInfoBytesPerBuffer, kInfoFramesPerBuffer,
                                         kInfoBits, kInfoChannels, kInfoRate);
    if (!decoder) {
        return;
    }
    const vorbis_info& v = decoder->info;
    info_ = {v.version,
             v.channels,
             static_cast<std::int32_t>(v.rate),
             static_cast<std::int32_t>(v.bitrate_upper),
             static_cast<std::int32_t>(v.bitrate_nominal),
             static_cast<std::int32_t>(v.bitrate_lower),
             static_cast<std::int32_t>(v.bitrate_window)};
    CloseDecoder(std::move(decoder));
}

void COggSoundData::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        if (bytes_.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            throw CArchiveError(CArchiveError::Reason::Io,
                                "an Ogg Vorbis sound is larger than the format can store");
        }
        archive.WriteInt32(ByteLength());
        archive.WriteRaw(bytes_.data(), bytes_.size());
        return;
    }
    const std::int32_t length = archive.ReadInt32();
    archive.CheckClaim(length);
    bytes_.resize(static_cast<std::size_t>(std::max(0, length)));
    archive.ReadRaw(bytes_.data(), bytes_.size());
    ReadStreamInfo();
}

std::int32_t COggSoundData::ReadChunk(COggDecoder* decoder) const {
    if (!decoder || bytes_.empty() || !decoder->lastReadBuffer || decoder->readCursor < 0 ||
        decoder->readCursor >= ByteLength()) {
        if (decoder) {
            decoder->lastReadCount = 0;
        }
        return 0;
    }
    const std::int32_t count = std::min(decoder->readChunkSize, ByteLength() - decoder->readCursor);
    std::memcpy(decoder->lastReadBuffer, bytes_.data() + decoder->readCursor,
                static_cast<std::size_t>(count));
    decoder->readCursor += count;
    decoder->lastReadCount = count;
    return count;
}

COggDecoderPtr COggSoundData::OpenDecoder(COggDecoderPtr existing, std::int32_t bytesPerBuffer,
                                          std::int32_t framesPerBuffer, std::int32_t bitsPerSample,
                                          std::int32_t channels, std::int32_t rate) const {
    if (existing && existing->open && existing->bytesPerBuffer == bytesPerBuffer &&
        existing->framesPerBuffer == framesPerBuffer && existing->bitsPerSample == bitsPerSample &&
        existing->channels == channels && existing->rate == rate) {
        return existing;
    }
    existing = CloseDecoder(std::move(existing));
    const std::int64_t chunk = static_cast<std::int64_t>(framesPerBuffer) * channels;
    if (chunk <= 0 || chunk > std::numeric_limits<std::int32_t>::max()) {
        return nullptr;
    }
    COggDecoderPtr d(new COggDecoder);
    d->readChunkSize = static_cast<std::int32_t>(chunk);
    ogg_sync_init(&d->sync);
    d->syncReady = true;
    if (ReadNextChunk(*this, *d) == 0 || ogg_sync_pageout(&d->sync, &d->page) != 1) {
        return nullptr;
    }
    ogg_stream_init(&d->stream, ogg_page_serialno(&d->page));
    d->streamReady = true;
    vorbis_info_init(&d->info);
    d->infoReady = true;
    vorbis_comment_init(&d->comment);
    d->commentReady = true;
    if (ogg_stream_pagein(&d->stream, &d->page) < 0 ||
        ogg_stream_packetout(&d->stream, &d->packet) != 1 ||
        vorbis_synthesis_headerin(&d->info, &d->comment, &d->packet) < 0) {
        return nullptr;
    }
    if (!ReadRemainingHeaders(*this, *d)) {
        return nullptr;
    }
    if (vorbis_synthesis_init(&d->dsp, &d->info) != 0) {
        return nullptr;
    }
    d->dspReady = true;
    if (vorbis_block_init(&d->dsp, &d->block) != 0) {
        return nullptr;
    }
    d->blockReady = true;
    d->bytesPerBuffer = bytesPerBuffer;
    d->framesPerBuffer = framesPerBuffer;
    d->bitsPerSample = bitsPerSample;
    d->channels = channels;
    d->rate = rate;
    d->open = 1;
    return d;
}

COggDecoderPtr COggSoundData::CloseDecoder(COggDecoderPtr decoder) {
    decoder.reset();
    return nullptr;
}

bool COggSoundData::Decode(COggDecoder* d, std::span<float> out, std::int32_t /*rate*/,
                           std::int32_t /*position*/) const {
    if (!d) {
        return true;
    }
    const std::size_t channels = static_cast<std::size_t>(std::max(0, d->channels));
    const std::size_t frames = std::min(static_cast<std::size_t>(std::max(0, d->framesPerBuffer)),
                                        channels ? out.size() / channels : 0);
    d->lastDecodedFrames = 0;
    if (!d->open) {
        std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(frames * channels), 0.0f);
        return true;
    }
    std::size_t remaining = frames;
    float* write = out.data();
    const int secondPlane = d->info.channels > 1 ? 1 : 0;
    bool drainFirst = false;
    if (d->decodeState == COggDecoder::kDrainFirst) {
        d->decodeState = COggDecoder::kNeedsData;
        drainFirst = true;
    }
    while (d->decodeState == COggDecoder::kNeedsData) {
        if (!drainFirst) {
            const int pageResult = ogg_sync_pageout(&d->sync, &d->page);
            if (pageResult == 0) {
                if (ReadNextChunk(*this, *d) == 0) {
                    d->decodeState = COggDecoder::kEndOfStream;
                }
                continue;
            }
            if (pageResult < 0) {
                continue;
            }
            ogg_stream_pagein(&d->stream, &d->page);
        }
        while (d->decodeState == COggDecoder::kNeedsData) {
            if (!drainFirst) {
                const int packetResult = ogg_stream_packetout(&d->stream, &d->packet);
                if (packetResult == 0) {
                    if (ogg_page_eos(&d->page)) {
                        d->decodeState = COggDecoder::kEndOfStream;
                    }
                    break;
                }
                if (packetResult < 0) {
                    continue;
                }
                if (vorbis_synthesis(&d->block, &d->packet) == 0) {
                    vorbis_synthesis_blockin(&d->dsp, &d->block);
                }
            }
            drainFirst = false;
            float** pcm = nullptr;
            int available = 0;
            while ((available = vorbis_synthesis_pcmout(&d->dsp, &pcm)) > 0) {
                const std::size_t take = std::min(static_cast<std::size_t>(available), remaining);
                const float* first = pcm[0];
                const float* second = pcm[secondPlane];
                if (channels == 2) {
                    for (std::size_t i = 0; i < take; ++i) {
                        write[2 * i] = first[i];
                        write[2 * i + 1] = second[i];
                    }
                } else {
                    for (std::size_t i = 0; i < take; ++i) {
                        write[channels * i] = first[i];
                        for (std::size_t c = 1; c < channels; ++c) {
                            write[channels * i + c] = c == 1 ? second[i] : 0.0f;
                        }
                    }
                }
                write += take * channels;
                remaining -= take;
                vorbis_synthesis_read(&d->dsp, static_cast<int>(take));
                if (remaining == 0) {
                    d->decodeState = COggDecoder::kDrainFirst;
                    break;
                }
            }
        }
    }
    d->lastDecodedFrames = static_cast<std::int32_t>(frames - remaining);
    std::fill(write, write + remaining * channels, 0.0f);
    return d->decodeState != COggDecoder::kEndOfStream;
}

bool COggSoundData::SetPosition(COggDecoder* decoder, std::int32_t byteOffset) {
    if (!decoder) {
        return false;
    }
    decoder->readCursor = byteOffset;
    return true;
}

std::int32_t COggSoundData::GetPosition(const COggDecoder* decoder) {
    return decoder ? decoder->readCursor : 0;
}

}  // namespace plexion
