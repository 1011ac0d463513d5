#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace plexion::tool {

enum class FileCreation {
    Replace,  // the user named the file: create it or overwrite it
    OnlyNew,  // never touch an existing file or follow a link
};

// Writes the bytes to the file: 0, or the errno of the failure (with OnlyNew,
// EEXIST when the name is already taken).
int WriteBytesToFile(const std::string& path, std::span<const std::uint8_t> bytes,
                     FileCreation creation);

}  // namespace plexion::tool
