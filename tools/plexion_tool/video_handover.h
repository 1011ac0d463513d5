#pragma once

#include "tool_options.h"

namespace plexion::tool {

using CommandRun = int (*)(const CToolOptions& options);

// The movie commands as the command table knows them. In plexion-tool they
// replace the process with plexion-tool-video, given the same words, which
// registers the real commands here first: FFmpeg and its few dozen codec
// libraries are then loaded only by the runs that use them.
struct CVideoCommands {
    CommandRun imagesToAvi = nullptr;
    CommandRun aviToImages = nullptr;
    CommandRun codecs = nullptr;
};
void UseVideoCommands(const CVideoCommands& commands);

int RunImagesToAviCommand(const CToolOptions& options);
int RunAviToImagesCommand(const CToolOptions& options);
int RunCodecsCommand(const CToolOptions& options);

}  // namespace plexion::tool
