#include "command_table.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "animation_commands.h"
#include "document_diff.h"
#include "dump_command.h"
#include "edit_commands.h"
#include "extract_commands.h"
#include "folder_build.h"
#include "folder_export.h"
#include "image_commands.h"
#include "map_commands.h"
#include "query_commands.h"
#include "sound_commands.h"
#include "tool_failure.h"
#include "trajectory_commands.h"
#include "video_handover.h"

namespace plexion::tool {
namespace {

constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

struct CCommand {
    const char* name;
    const char* synopsis;
    std::size_t minArguments;
    std::size_t maxArguments;
    std::vector<std::string> options;  // beyond --password and --accept-old-version
    int (*run)(const CToolOptions&);
};

const std::array<CCommand, 44>& Commands() {
    static const std::array<CCommand, 44> commands = {{
        {"new",
         "new FILE [--name TEXT] [--comments TEXT] [--force]",
         1,
         1,
         {"--name", "--comments", "--force"},
         RunNew},
        {"info", "info FILE", 1, 1, {}, RunInfo},
        {"list", "list FILE [--kind KIND]", 1, 1, {"--kind"}, RunList},
        {"dump", "dump FILE [--pretty]", 1, 1, {"--pretty"}, RunDump},
        {"check", "check FILE [--pixels] [--strict]", 1, 1, {"--pixels", "--strict"}, RunCheck},
        {"export", "export FILE DIR", 2, 2, {}, RunExport},
        {"build", "build DIR FILE", 2, 2, {}, RunBuild},
        {"diff", "diff FILE_A FILE_B", 2, 2, {}, RunDiff},
        {"add-text", "add-text FILE ID TEXT [--comments TEXT]", 3, 3, {"--comments"}, RunAddText},
        {"add-color",
         "add-color FILE ID RRGGBB [--comments TEXT]",
         3,
         3,
         {"--comments"},
         RunAddColor},
        {"add-file", "add-file FILE PATH...", 2, kAnyCount, {}, RunAddFile},
        {"extract", "extract FILE KIND ID [-o PATH]", 3, 3, {"-o"}, RunExtract},
        {"extract-all", "extract-all FILE DIR", 2, 2, {}, RunExtractAll},
        {"expand", "expand FILE ID", 2, 2, {}, RunExpand},
        {"delete", "delete FILE KIND INDEX", 3, 3, {}, RunDelete},
        {"move", "move FILE KIND FROM TO", 4, 4, {}, RunMove},
        {"add-image", "add-image FILE PATH...", 2, kAnyCount, {}, RunAddImage},
        {"export-image", "export-image FILE ID -o OUT.png", 2, 2, {"-o"}, RunExportImage},
        {"crop", "crop FILE [ID...]", 1, kAnyCount, {}, RunCrop},
        {"set-alpha", "set-alpha FILE RRGGBB [ID...]", 2, kAnyCount, {}, RunSetAlpha},
        {"change-color",
         "change-color FILE FROM_RRGGBB TO_RRGGBB [ID...]",
         3,
         kAnyCount,
         {},
         RunChangeColor},
        {"reload-image", "reload-image FILE ID PATH", 3, 3, {}, RunReloadImage},
        {"add-sound", "add-sound FILE PATH...", 2, kAnyCount, {}, RunAddSound},
        {"sound-info", "sound-info PATH", 1, 1, {}, RunSoundInfo},
        {"render-sound",
         "render-sound FILE ID -o OUT.wav [--rate R] [--bits 16|8] [--loop-seconds S]",
         2,
         2,
         {"-o", "--rate", "--bits", "--loop-seconds"},
         RunRenderSound},
        {"play-sound",
         "play-sound FILE ID [--loop] [--seconds S] [--device N]",
         2,
         2,
         {"--loop", "--seconds", "--device"},
         RunPlaySound},
        {"devices", "devices", 0, 0, {}, RunDevices},
        {"add-animation",
         "add-animation FILE ID [--mode N] [--frames B:D:X:Y,...]",
         2,
         2,
         {"--mode", "--frames"},
         RunAddAnimation},
        {"set-frames",
         "set-frames FILE ID --frames B:D:X:Y,...",
         2,
         2,
         {"--frames"},
         RunSetFrames},
        {"frames", "frames FILE ID", 2, 2, {}, RunFrames},
        {"play-animation", "play-animation FILE ID --steps N", 2, 2, {"--steps"}, RunPlayAnimation},
        {"render-animation", "render-animation FILE ID -o DIR", 2, 2, {"-o"}, RunRenderAnimation},
        {"add-map",
         "add-map FILE ID [--columns C --lines L --size-x X --size-y Y]",
         2,
         2,
         {"--columns", "--lines", "--size-x", "--size-y"},
         RunAddMap},
        {"set-cells", "set-cells FILE ID COLUMN,LINE=VALUE...", 3, kAnyCount, {}, RunSetCells},
        {"resize-map", "resize-map FILE ID COLUMNS LINES [--yes]", 4, 4, {"--yes"}, RunResizeMap},
        {"render-map", "render-map FILE ID -o OUT.png", 2, 2, {"-o"}, RunRenderMap},
        {"split-to-map",
         "split-to-map FILE BITMAP_ID TILE_W TILE_H [--map-id ID]",
         4,
         4,
         {"--map-id"},
         RunSplitToMap},
        {"add-trajectory",
         "add-trajectory FILE ID --points X,Y;X,Y;... [--type N] [--closed]",
         2,
         2,
         {"--points", "--type", "--closed"},
         RunAddTrajectory},
        {"path",
         "path FILE ID remove-all|noise|quantify|smooth|resample [VALUE]",
         3,
         4,
         {},
         RunPath},
        {"to-region", "to-region FILE ID...", 2, kAnyCount, {}, RunToRegion},
        {"center-of-mass", "center-of-mass FILE ID...", 2, kAnyCount, {}, RunCenterOfMass},
        {"images-to-avi",
         "images-to-avi OUT.avi IMAGE... [--fps N] [--width W] [--height H] [--codec NAME] "
         "[--quality Q] [--key-frames N]",
         2,
         kAnyCount,
         {"--fps", "--width", "--height", "--codec", "--quality", "--key-frames"},
         RunImagesToAviCommand},
        {"avi-to-images",
         "avi-to-images IN.avi OUT.bmp [--no-alpha]",
         2,
         2,
         {"--no-alpha"},
         RunAviToImagesCommand},
        {"codecs", "codecs", 0, 0, {}, RunCodecsCommand},
    }};
    return commands;
}

void CheckOptions(const CCommand& command, const CToolOptions& options) {
    for (const auto& [option, value] : options.values) {
        const bool accepted = option == "--password" || option == "--wait" ||
                              std::find(command.options.begin(), command.options.end(), option) !=
                                  command.options.end();
        if (!accepted) {
            throw UsageError(std::string(command.name) + " does not take the option " + option);
        }
    }
}

}  // namespace

int RunCommand(const CToolOptions& options) {
    if (options.command.empty()) {
        throw UsageError("no command given");
    }
    const auto& commands = Commands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const CCommand& c) { return options.command == c.name; });
    if (found == commands.end()) {
        throw UsageError("unknown command \"" + options.command + "\"");
    }
    const std::size_t count = options.arguments.size();
    if (count < found->minArguments || count > found->maxArguments) {
        throw UsageError(std::string("usage: plexion-tool ") + found->synopsis);
    }
    CheckOptions(*found, options);
    return found->run(options);
}

std::string UsageText() {
    std::string text = "usage: plexion-tool COMMAND ARGUMENTS... [OPTIONS]\n\ncommands:\n";
    for (const CCommand& command : Commands()) {
        text += "  plexion-tool " + std::string(command.synopsis) + "\n";
    }
    text +=
        "\nKIND: texts bitmaps sounds animations trajectories maps colors files, or 0-7\n"
        "options for every command:\n"
        "  --password TEXT       the password of a protected document\n"
        "  --accept-old-version  load a document of an older file version\n"
        "  --wait SECONDS        how long a change waits for another program\n"
        "                        changing the same document (default 10)\n"
        "  --                    every later word is an argument\n"
        "  --help                print this text and end\n"
        "  --version             print the version and end\n"
        "exit codes: 0 done, 1 usage, 2 file missing, unreadable or damaged,\n"
        "            3 wrong or missing password, 4 no such ID or index,\n"
        "            5 no audio output device (play-sound)\n";
    return text;
}

}  // namespace plexion::tool
