#include "tool_options.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "tool_failure.h"

namespace plexion::tool {
namespace {

constexpr std::array<const char*, 6> kValueOptions = {"--password", "--name", "--comments",
                                                      "--kind",     "-o",     "--wait"};
// The sound commands' options; "--loop" takes no value and is kept as "".
constexpr std::array<const char*, 5> kSoundValueOptions = {"--rate", "--bits", "--loop-seconds",
                                                           "--seconds", "--device"};
// The trajectory commands' options; "--closed" takes no value and is kept as "".
constexpr std::array<const char*, 2> kTrajectoryValueOptions = {"--points", "--type"};
// The animation and map commands' options; "--yes" (like "--force" of new,
// "--pixels" and "--strict" of check, "--pretty" of dump) takes no value and
// is kept as "".
constexpr std::array<const char*, 8> kAnimationMapValueOptions = {
    "--mode", "--frames", "--steps", "--columns", "--lines", "--size-x", "--size-y", "--map-id"};
// The video commands' options; "--no-alpha" takes no value and is kept as "".
constexpr std::array<const char*, 6> kVideoValueOptions = {"--fps",     "--width",   "--height",
                                                           "--codec",   "--quality", "--key-frames"};

bool IsValueOption(const std::string& name) {
    return std::find(kValueOptions.begin(), kValueOptions.end(), name) != kValueOptions.end() ||
           std::find(kSoundValueOptions.begin(), kSoundValueOptions.end(), name) !=
               kSoundValueOptions.end() ||
           std::find(kTrajectoryValueOptions.begin(), kTrajectoryValueOptions.end(), name) !=
               kTrajectoryValueOptions.end() ||
           std::find(kAnimationMapValueOptions.begin(), kAnimationMapValueOptions.end(), name) !=
               kAnimationMapValueOptions.end() ||
           std::find(kVideoValueOptions.begin(), kVideoValueOptions.end(), name) !=
               kVideoValueOptions.end();
}

// "-5" is a (negative) number, not an option.
bool LooksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

}  // namespace

std::optional<std::string> CToolOptions::Value(const std::string& option) const {
    const auto found = values.find(option);
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

CToolOptions ParseToolOptions(const std::vector<std::string>& words) {
    CToolOptions options;
    options.words = words;
    bool optionsEnded = false;
    bool haveCommand = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || !LooksLikeOption(word)) {
            if (haveCommand) {
                options.arguments.push_back(word);
            } else {
                options.command = word;
                haveCommand = true;
            }
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (name == "--help" && equals == std::string::npos) {
            options.help = true;
        } else if (name == "--version" && equals == std::string::npos) {
            options.version = true;
        } else if (name == "--accept-old-version" && equals == std::string::npos) {
            options.acceptOldVersion = true;
        } else if ((name == "--loop" || name == "--closed" || name == "--yes" ||
                    name == "--force" || name == "--pixels" || name == "--strict" ||
                    name == "--pretty" || name == "--no-alpha") &&
                   equals == std::string::npos) {
            options.values[name] = "";
        } else if (!IsValueOption(name)) {
            throw UsageError("unknown option \"" + word + "\"");
        } else if (equals != std::string::npos) {
            options.values[name] = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            options.values[name] = words[++i];
        } else {
            throw UsageError("option \"" + name + "\" needs a value");
        }
    }
    return options;
}

}  // namespace plexion::tool
