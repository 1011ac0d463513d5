#include "game_options.h"

#include <cstdlib>

namespace plexion_game {

const char* const kGameUsage =
    "Usage: plexion-game DOCUMENT [options]\n"
    "Plays a resource document: its map, an animation moving along a trajectory\n"
    "at the document's game step, and a sound on Space. Escape quits.\n"
    "  --map ID, --animation ID, --trajectory ID, --sound ID\n"
    "                     the items to play (default: the first of each group)\n"
    "  --speed POINTS     path points per game step (default 1)\n"
    "  --frames N --out DIR\n"
    "                     without a display: render N game steps to\n"
    "                     DIR/frame_0000.png, ... and quit\n";

namespace {

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseReal(const std::string& text, double& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(parsed >= -100.0 && parsed <= 100.0)) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

std::string ParseGameOptions(int argc, char** argv, SGameOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--help") {
            options.help = true;
            continue;
        }
        if (word.size() < 2 || word[0] != '-') {
            if (!options.document.empty()) {
                return "give one DOCUMENT";
            }
            options.document = word;
            continue;
        }
        if (i + 1 == argc) {
            return "option \"" + word + "\" needs a value";
        }
        const std::string value = argv[++i];
        if (word == "--map") {
            options.map = value;
        } else if (word == "--animation") {
            options.animation = value;
        } else if (word == "--trajectory") {
            options.trajectory = value;
        } else if (word == "--sound") {
            options.sound = value;
        } else if (word == "--out") {
            options.out = value;
        } else if (word == "--frames") {
            if (!ParseInt(value, options.frames) || options.frames < 1) {
                return "--frames needs a count from 1 to 1000000";
            }
        } else if (word == "--speed") {
            if (!ParseReal(value, options.speed)) {
                return "--speed needs a number from -100 to 100";
            }
        } else {
            return "unknown option \"" + word + "\"";
        }
    }
    if (options.help) {
        return std::string();
    }
    if (options.document.empty()) {
        return "no DOCUMENT given";
    }
    if ((options.frames > 0) != !options.out.empty()) {
        return "--frames and --out go together";
    }
    return std::string();
}

}  // namespace plexion_game
