#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plexion {

// An encoder a movie may be compressed with.
struct SOfferedCodec {
    std::string name;         // what the user types or picks ("rgb24", "ffv1")
    std::string description;  // one line for lists
    std::string encoder;      // FFmpeg's encoder name
    int pixelFormat;          // FFmpeg's AVPixelFormat the frames are given in
    bool keepsAlpha;
    bool hasQuality;  // takes a quality from 1 (best) to 31
};

// What the user chose for one movie.
struct SCompressionOptions {
    std::string codec = "rgb24";
    int keyFrameInterval = 0;  // 0: the encoder's own
    int quality = 0;           // 0: the encoder's own; else 1 (best) to 31
};

// The codecs this FFmpeg can put in an AVI, uncompressed RGB first (the
// default); the list only holds encoders found at run time.
const std::vector<SOfferedCodec>& OfferedCodecs();
std::optional<SOfferedCodec> FindOfferedCodec(const std::string& name);

}  // namespace plexion
