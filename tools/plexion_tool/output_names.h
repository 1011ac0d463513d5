#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace plexion::tool {

// A file name made from an item ID that cannot leave its folder: separators,
// NUL and control characters become "_", "", "." and ".." become "_", and
// the name is capped in length. The extension (letters and digits only) is
// appended unless the ID already ends with it.
struct CSafeName {
    std::string stem;
    std::string extension;  // with its dot, or empty
};
CSafeName SafeNameFor(const std::string& id, const std::string& extension);

// Hands out names in one folder that clash neither with each other nor with
// what is already there: "a.png", then "a (2).png", "a (3).png" ...
class CUniqueNames {
public:
    explicit CUniqueNames(std::filesystem::path folder) : folder_(std::move(folder)) {}
    // The next candidate for `name`, or for the same name again after the
    // last candidate turned out to be taken.
    std::filesystem::path Next(const CSafeName& name);

private:
    std::filesystem::path folder_;
    std::set<std::string> used_;
};

}  // namespace plexion::tool
