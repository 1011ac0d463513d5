#pragma once

#include <functional>
#include <string>
#include <vector>

#include "movie_writer.h"

namespace plexion {

// How a conversion talks to whoever runs it.
struct SConversionHooks {
    std::function<void(const std::string&)> showStatus;  // the status-bar line
    std::function<void(const std::string&)> showError;   // a message box
    std::function<bool()> abortRequested;                // asked between two frames
};

enum class EConversionEnd { Done, Failed, Aborted };

struct SImagesToAviRequest {
    std::vector<std::string> sources;
    int framesPerSecond = 25;
    int width = 720;
    int height = 576;
    std::string destination;
};

// Each source stretched over a black frame, in order; stops at the first
// source that cannot be opened (the frames before it stay in the movie).
EConversionEnd ImagesToAvi(const SImagesToAviRequest& request,
                           const CMovieWriter::CompressionChooser& chooseCompression,
                           const SConversionHooks& hooks);

struct SAviToImagesRequest {
    std::string source;
    bool extractAlpha = true;
    std::string destination;
};

// Every frame of the movie as a 24-bit BMP, and its alpha as an 8-bit one.
EConversionEnd AviToImages(const SAviToImagesRequest& request, const SConversionHooks& hooks);

}  // namespace plexion
