// plexion-tool-video: the commands of plexion-tool that write and read
// movies. plexion-tool hands them over to this program, so that its other
// commands start without loading FFmpeg and its codecs.
#include "tool_main.h"
#include "video_commands.h"
#include "video_handover.h"

int main(int argc, char** argv) {
    using namespace plexion::tool;
    UseVideoCommands({RunImagesToAvi, RunAviToImages, RunCodecs});
    return ToolMain(argc, argv);
}
