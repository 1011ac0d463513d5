#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace plexion {

// Whether a commit may replace a file that already has the target's name.
enum class ExistingFile {
    Replace,  // the previous file is replaced (when the user may write it)
    Keep,     // the commit fails with EEXIST instead
};

// Whether a commit waits until the new file is on disk.
enum class Durability {
    OnDisk,  // the bytes and the new name are flushed: the file survives a power cut
    // The target is still only ever the old file or the whole new one, but the
    // bytes reach the disk with the system's own write-back: for many files
    // of one export, where a flush each would cost far more than the writing.
    WrittenBack,
};

// Writes a file so that the previous one survives any failure: the bytes go
// to a new hidden temporary file beside the target, which takes the target's
// name only after it is complete (and, unless told otherwise, on disk).
// Abandoned (the temporary file removed) unless committed; a SIGINT or
// SIGTERM removes it too once InstallTemporaryFileCleanup has run. A writer
// holds a lock on its temporary file until it is done, so that one left by a
// killed writer can be told from one being written (see
// RemoveAbandonedTemporaries).
class CSafeFileWriter {
public:
    CSafeFileWriter() = default;
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;
    ~CSafeFileWriter();

    // The target is a path; through a symbolic link, the file it points to
    // is the one replaced. False (with Error() set) when the temporary file
    // cannot be created, the target is not a regular file, or the user may
    // not write the file it would replace.
    bool Open(const std::string& target, ExistingFile existing = ExistingFile::Replace);
    // The target is `name` in the folder open as `folderFd` (the writer
    // keeps a duplicate); a link of that name is never followed. Messages
    // call the target `shownAs`.
    bool OpenIn(int folderFd, const std::string& name, ExistingFile existing,
                const std::string& shownAs);
    int Descriptor() const { return fd_; }
    // Writes all the bytes (false with Error() set on failure).
    bool Write(std::span<const std::uint8_t> bytes);
    // Flushes to disk (unless told otherwise) and gives the file the target's name.
    bool Commit(Durability durability = Durability::OnDisk);
    const std::string& Error() const { return error_; }
    // The errno of the last failure, 0 when there was none.
    int ErrorNumber() const { return errorNumber_; }

private:
    bool Fail(const std::string& what, int error);
    bool CreateTemporary();
    bool CheckTarget(bool followLink);
    void Abandon();
    bool RenameWithoutReplacing() const;

    int folderFd_ = -1;
    std::string shownTarget_;
    std::string name_;
    std::string temporary_;
    ExistingFile existing_ = ExistingFile::Replace;
    int fd_ = -1;
    // Another descriptor of the temporary file, holding its lock until the
    // file is renamed or removed.
    int lockFd_ = -1;
    int registration_ = -1;
    unsigned mode_ = 0;
    std::string error_;
    int errorNumber_ = 0;
};

// Removes the hidden temporary files that writers of `target` left beside
// it when they were killed: those no running writer holds and nobody wrote
// to for a while. Returns how many went.
int RemoveAbandonedTemporaries(const std::string& target);

// Writes `bytes` to `path` through a CSafeFileWriter; "" or why it failed.
std::string WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes,
                            ExistingFile existing = ExistingFile::Replace,
                            Durability durability = Durability::OnDisk);

}  // namespace plexion
