#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plexion::tool {

// The command line split into the command, its arguments and its options.
// Options may stand anywhere; "--" makes every later word an argument.
struct CToolOptions {
    // The words as given, for a command run by another program.
    std::vector<std::string> words;
    std::string command;
    std::vector<std::string> arguments;
    // Options that take a value, by their name ("--name", "-o").
    std::map<std::string, std::string> values;
    bool acceptOldVersion = false;
    bool help = false;
    bool version = false;

    std::optional<std::string> Value(const std::string& option) const;
    bool Has(const std::string& option) const { return values.count(option) != 0; }
};

// Throws a usage error for an unknown option or a missing option value.
CToolOptions ParseToolOptions(const std::vector<std::string>& words);

}  // namespace plexion::tool
