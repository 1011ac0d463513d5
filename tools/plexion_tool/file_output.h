#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "safe_file_writer.h"

namespace plexion::tool {

// Writes a file the user named: to a temporary file beside it first, which
// replaces the old file only once it is complete, so a failure (a full disk)
// leaves no partial file. Throws a CToolFailure (exit 2) naming the file and
// the system's reason.
void WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes);

// A folder under a folder the user chose, made when missing and entered
// without following a symbolic link, so that nothing written into it can
// land outside the chosen folder.
class COutputFolder {
public:
    // Throws a CToolFailure (exit 2) when `sub` cannot be made or entered.
    COutputFolder(const std::filesystem::path& chosen, const std::string& sub);
    COutputFolder(const COutputFolder&) = delete;
    COutputFolder& operator=(const COutputFolder&) = delete;
    ~COutputFolder();

    const std::filesystem::path& Path() const { return path_; }
    // Writes a new file of that name; never replaces anything. 0, or the
    // errno of the failure (EEXIST when the name is taken) with `why` set.
    int WriteNew(const std::string& name, std::span<const std::uint8_t> bytes, std::string& why);
    // The same, replacing a file of that name when `existing` allows it.
    int Write(const std::string& name, std::span<const std::uint8_t> bytes, ExistingFile existing,
              std::string& why);

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace plexion::tool
