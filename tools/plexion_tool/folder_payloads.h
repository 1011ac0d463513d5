#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "archive.h"
#include "json_fields.h"

namespace plexion::tool {

// The payload files of a document folder, named by the "file" members of
// its items. A name must stay inside the folder: no absolute path, no "..",
// no symbolic link as the file itself.
class CFolderPayloads {
public:
    explicit CFolderPayloads(std::filesystem::path root) : root_(std::move(root)) {}

    // An open payload file; its size is at most what a document can store.
    class CFile {
    public:
        CFile(int fd, std::uint64_t size, std::filesystem::path path)
            : fd_(fd), size_(size), path_(std::move(path)) {}
        CFile(const CFile&) = delete;
        CFile& operator=(const CFile&) = delete;
        ~CFile();

        std::uint64_t Size() const { return size_; }
        const std::filesystem::path& Path() const { return path_; }
        // Copies `size` bytes from `offset` on into the archive, through
        // `transform` when given, a buffer at a time. False when the file
        // ends before (it changed while it was read).
        bool CopyInto(CArchive& archive, std::uint64_t offset, std::uint64_t size,
                      CArchive::BlockTransform transform = nullptr) const;

    private:
        int fd_;
        std::uint64_t size_;
        std::filesystem::path path_;
    };

    // The file the item's "file" member names; refused (through `fields`)
    // when the name is not allowed or the file cannot be read.
    CFile Open(CJsonFields& fields) const;

private:
    std::filesystem::path root_;
};

}  // namespace plexion::tool
