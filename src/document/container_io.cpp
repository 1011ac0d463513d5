// Reading and writing a whole document: the header, then one chunk per
// non-empty group.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "archive.h"
#include "format_constants.h"
#include "paths.h"
#include "resource_container.h"
#include "safe_file_writer.h"

namespace plexion {
namespace {

class CReadOnlyFile {
public:
    CReadOnlyFile() = default;
    CReadOnlyFile(const CReadOnlyFile&) = delete;
    CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;
    ~CReadOnlyFile() { Close(); }

    bool Open(const std::string& path) {
        Close();
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode))) {
            Close();
        }
        length_ = fd_ >= 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
        return fd_ >= 0;
    }
    int Descriptor() const { return fd_; }
    std::uint64_t Length() const { return length_; }

private:
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    int fd_ = -1;
    std::uint64_t length_ = 0;
};

}  // namespace

int CVKT_ResourceContainer::Load(const std::string& path) {
    Clear();
    CReadOnlyFile file;
    if (!file.Open(ResolvePath(path)) && !file.Open(ResolvePath(kSharedFolder + path))) {
        lastLoadStatus_ = LoadStatus::NotFound;
        return 0;
    }
    CArchive archive = CArchive::ReaderOf(file.Descriptor(), file.Length());
    ReadFrom(archive);
    return 1;
}

int CVKT_ResourceContainer::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    Clear();
    CArchive archive = CArchive::ReaderOf(bytes);
    ReadFrom(archive);
    return 1;
}

void CVKT_ResourceContainer::ReadFrom(CArchive& archive) {
    lastLoadStatus_ = LoadStatus::Clean;
    try {
        if (ReadHeader(archive)) {
            ReadChunks(archive);
        }
    } catch (const CArchiveError& error) {
        lastLoadStatus_ = LoadStatus::Damaged;
        Show(error.reason() == CArchiveError::Reason::Oversized ? load_messages::kOversized
                                                                : load_messages::kTruncated,
             MessageIcon::Error, MessageButtons::Ok);
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        RunGroupLoadedHook(kind, groups_[kind]);
    }
}

bool CVKT_ResourceContainer::ReadHeader(CArchive& archive) {
    std::string magic;
    try {
        magic = archive.ReadString();
        archive.Skip(4);
        const std::int32_t version = archive.ReadInt32();
        if (version == format::kVersion) {
            archive.Skip(4);
            std::string name = archive.ReadScrambledString();
            std::string comments = archive.ReadScrambledString();
            SetName(std::move(name));
            SetComments(std::move(comments));
        }
        if (magic == format::kMagic && version != format::kVersion &&
            Show(load_messages::kOldVersion, MessageIcon::Warning, MessageButtons::YesNo) !=
                MessageAnswer::Yes) {
            lastLoadStatus_ = LoadStatus::OldVersionRefused;
            return false;
        }
    } catch (const CArchiveError&) {
        if (magic == format::kMagic) {
            throw;
        }
    }
    if (magic != format::kMagic) {
        lastLoadStatus_ = LoadStatus::WrongType;
        Show(load_messages::kWrongType, MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    return true;
}

void CVKT_ResourceContainer::ReadChunks(CArchive& archive) {
    while (archive.Tell() < archive.Length()) {
        archive.ReadString();
        bool read = false;
        for (int kind = 0; kind < kKindCount && !read; ++kind) {
            read = groups_[kind].Serialize(archive, Prototype(kind)) != 0;
        }
        if (!read) {
            lastLoadStatus_ = LoadStatus::UnknownChunk;
            Show(load_messages::kUnknownChunk, MessageIcon::None, MessageButtons::Ok);
            return;
        }
    }
}

int CVKT_ResourceContainer::Save(const std::string& path) {
    lastSaveError_.clear();
    CSafeFileWriter file;
    if (!file.Open(path)) {
        lastSaveError_ = file.Error();
        return 0;
    }
    try {
        CArchive archive = CArchive::WriterTo(file.Descriptor());
        WriteTo(archive);
        archive.Flush();
    } catch (const CArchiveError& error) {
        lastSaveError_ = std::string("cannot write \"") + path + "\": " + error.what();
        return 0;
    }
    if (!file.Commit()) {
        lastSaveError_ = file.Error();
        return 0;
    }
    return 1;
}

void CVKT_ResourceContainer::WriteTo(CArchive& archive) {
    archive.WriteString(std::string(format::kMagic));
    archive.WriteInt32(0);
    archive.WriteInt32(format::kVersion);
    archive.WriteInt32(format::kVersion);
    archive.WriteScrambledString(name_);
    archive.WriteScrambledString(comments_);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (groups_[kind].Count() > 0) {
            archive.WriteString(std::string(format::kChunkSeparator));
            groups_[kind].Serialize(archive, Prototype(kind));
        }
    }
}

}  // namespace plexion
