// Reading and writing a whole document: the header, then one chunk per
// non-empty group.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "archive.h"
#include "file_reading.h"
#include "format_constants.h"
#include "paths.h"
#include "resource_container.h"
#include "safe_file_writer.h"

namespace plexion {
namespace {

// Documents are read straight from regular files; a pipe (a document
// handed over on standard input) has no length to read against, so it is
// read into memory first.
class CReadOnlyFile {
public:
    CReadOnlyFile() = default;
    CReadOnlyFile(const CReadOnlyFile&) = delete;
    CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;
    ~CReadOnlyFile() { Close(); }

    bool Open(const std::string& path) {
        Close();
        fd_ = OpenForReading(path);
        struct stat info {};
        if (fd_ >= 0 &&
            (::fstat(fd_, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode)))) {
            Close();
        }
        stream_ = fd_ >= 0 && S_ISFIFO(info.st_mode);
        length_ = fd_ >= 0 && !stream_ ? static_cast<std::uint64_t>(info.st_size) : 0;
        return fd_ >= 0;
    }
    int Descriptor() const { return fd_; }
    std::uint64_t Length() const { return length_; }
    bool IsStream() const { return stream_; }

    // The whole stream; false when it cannot be read or is beyond kMaxStreamBytes.
    bool ReadStream(std::vector<std::uint8_t>& bytes) const {
        constexpr std::size_t kPiece = std::size_t{1} << 16;
        for (;;) {
            const std::size_t used = bytes.size();
            if (used > kMaxStreamBytes) {
                return false;
            }
            bytes.resize(used + kPiece);
            const ssize_t n = ::read(fd_, bytes.data() + used, kPiece);
            bytes.resize(used + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
            if (n == 0) {
                return true;
            }
            if (n < 0 && errno != EINTR) {
                return false;
            }
        }
    }

private:
    static constexpr std::size_t kMaxStreamBytes = std::size_t{1} << 31;

    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    int fd_ = -1;
    std::uint64_t length_ = 0;
    bool stream_ = false;
};

}  // namespace

int CVKT_ResourceContainer::Load(const std::string& path) {
    Clear();
    CReadOnlyFile file;
    if (!file.Open(ResolvePath(path)) && !file.Open(ResolvePath(kSharedFolder + path))) {
        lastLoadStatus_ = LoadStatus::NotFound;
        return 0;
    }
    if (file.IsStream()) {
        std::vector<std::uint8_t> bytes;
        if (!file.ReadStream(bytes)) {
            lastLoadStatus_ = LoadStatus::Damaged;
            Show(load_messages::kOversized, MessageIcon::Error, MessageButtons::Ok);
            return 1;
        }
        return LoadFromBytes(bytes);
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
    ReportMendedItems();
    for (int kind = 0; kind < kKindCount; ++kind) {
        RunGroupLoadedHook(kind, groups_[kind]);
    }
}

// Items whose own data disagreed with itself were read as far as it held:
// nothing the file holds is lost, but the file is not whole.
void CVKT_ResourceContainer::ReportMendedItems() {
    for (const CVKT_ResourceGroup& group : groups_) {
        for (int index = 0; index < group.Count(); ++index) {
            const std::string damage = group.GetAt(index)->ReadDamage();
            if (damage.empty()) {
                continue;
            }
            if (lastLoadStatus_ == LoadStatus::Clean) {
                lastLoadStatus_ = LoadStatus::Mended;
            }
            Show("Error: " + damage + ", file broken.", MessageIcon::Warning, MessageButtons::Ok);
        }
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

int CVKT_ResourceContainer::Save(const std::string& path, ExistingFile existing) const {
    lastSaveError_.clear();
    CSafeFileWriter file;
    if (!file.Open(path, existing)) {
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

void CVKT_ResourceContainer::WriteHeader(CArchive& archive) const {
    archive.WriteString(std::string(format::kMagic));
    archive.WriteInt32(0);
    archive.WriteInt32(format::kVersion);
    archive.WriteInt32(format::kVersion);
    archive.WriteScrambledString(name_);
    archive.WriteScrambledString(comments_);
}

void CVKT_ResourceContainer::WriteTo(CArchive& archive) const {
    WriteHeader(archive);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (groups_[kind].Count() > 0) {
            archive.WriteString(std::string(format::kChunkSeparator));
            // Serialize reads and writes; writing leaves the group as it is.
            const_cast<CVKT_ResourceGroup&>(groups_[kind]).Serialize(archive, Prototype(kind));
        }
    }
}

}  // namespace plexion
