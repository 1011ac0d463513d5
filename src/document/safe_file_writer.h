#pragma once

#include <string>

namespace plexion {

// Writes a file so that the previous one survives any failure: the bytes go
// to a new temporary file beside the target, which replaces the target only
// after it is complete and on disk. Abandoned unless committed.
class CSafeFileWriter {
public:
    CSafeFileWriter() = default;
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;
    ~CSafeFileWriter();

    // False (with Error() set) when the temporary file cannot be created.
    bool Open(const std::string& target);
    int Descriptor() const { return fd_; }
    // Flushes to disk and renames over the target.
    bool Commit();
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what);
    void Abandon();
    void SyncFolder() const;

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    std::string error_;
};

}  // namespace plexion
