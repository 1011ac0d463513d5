#pragma once

#include <string>

namespace plexion_game {

struct SGameOptions {
    std::string document;
    // Items by ID; empty: the first of their group.
    std::string map;
    std::string animation;
    std::string trajectory;
    std::string sound;
    // Path points per game step, as the editor's preview plays at 100 %.
    double speed = 1.0;
    // Headless: render this many game steps to DIR/frame_NNNN.png and quit.
    int frames = 0;
    std::string out;
    bool help = false;
};

// Fills `options` from the command line; the problem, or an empty text.
std::string ParseGameOptions(int argc, char** argv, SGameOptions& options);

extern const char* const kGameUsage;

}  // namespace plexion_game
