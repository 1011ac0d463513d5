#include "compression_choice.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/pixfmt.h>
}

namespace plexion {

const std::vector<SOfferedCodec>& OfferedCodecs() {
    static const std::vector<SOfferedCodec> offered = [] {
        const std::vector<SOfferedCodec> known = {
            {"rgb24", "uncompressed RGB, 24 bits", "rawvideo", AV_PIX_FMT_BGR24, false, false},
            {"rgba", "uncompressed RGB with alpha, 32 bits", "rawvideo", AV_PIX_FMT_BGRA, true,
             false},
            {"png", "PNG, lossless, with alpha", "png", AV_PIX_FMT_RGBA, true, false},
            {"ffv1", "FFV1, lossless, with alpha", "ffv1", AV_PIX_FMT_BGRA, true, false},
            {"utvideo", "Ut Video, lossless, with alpha", "utvideo", AV_PIX_FMT_GBRAP, true,
             false},
            {"mjpeg", "Motion JPEG", "mjpeg", AV_PIX_FMT_YUVJ420P, false, true},
            {"mpeg4", "MPEG-4 Part 2", "mpeg4", AV_PIX_FMT_YUV420P, false, true},
        };
        std::vector<SOfferedCodec> found;
        for (const SOfferedCodec& codec : known) {
            if (avcodec_find_encoder_by_name(codec.encoder.c_str())) {
                found.push_back(codec);
            }
        }
        return found;
    }();
    return offered;
}

std::optional<SOfferedCodec> FindOfferedCodec(const std::string& name) {
    for (const SOfferedCodec& codec : OfferedCodecs()) {
        if (codec.name == name) {
            return codec;
        }
    }
    return std::nullopt;
}

}  // namespace plexion
