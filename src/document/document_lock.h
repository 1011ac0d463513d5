#pragma once

#include <chrono>
#include <string>

namespace plexion {

// An exclusive advisory lock (flock) on a document for the length of one
// read–change–write, so that two programs changing the same document take
// turns instead of one silently losing the other's change. Readers need no
// lock: a save replaces the file whole. Since a save puts a new file in the
// old one's place, a lock won on a file that has meanwhile been replaced is
// given up and taken again on the file the name now means.
class CDocumentLock {
public:
    static constexpr std::chrono::milliseconds kDefaultWait{10000};

    enum class Outcome {
        Locked,
        Missing,  // no file of that name (nothing to lock); Error() says so
        Busy,     // another program held it for longer than the wait
        Failed,   // not a regular file, or it cannot be opened
    };

    CDocumentLock() = default;
    CDocumentLock(const CDocumentLock&) = delete;
    CDocumentLock& operator=(const CDocumentLock&) = delete;
    ~CDocumentLock() { Release(); }

    Outcome Acquire(const std::string& path,
                    std::chrono::milliseconds wait = kDefaultWait);
    void Release();
    bool Held() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }

private:
    Outcome Fail(Outcome outcome, const std::string& message);

    int fd_ = -1;
    std::string error_;
};

}  // namespace plexion
