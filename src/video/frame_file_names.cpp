#include "frame_file_names.h"

#include <cstdio>
#include <filesystem>

namespace plexion {

std::string FrameFileName(const std::string& destination, int number, bool alpha) {
    const std::filesystem::path path(destination);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    const std::string name =
        path.stem().string() + (alpha ? "_ALPHA" : "_") + digits + path.extension().string();
    return (path.parent_path() / name).string();
}

}  // namespace plexion
