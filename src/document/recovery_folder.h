#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recovery_info.h"

namespace plexion {

struct CDocumentSnapshot;

// A recovery copy that an editor which did not end cleanly left behind.
struct SLeftRecovery {
    std::string dataPath;
    // nullopt when the info beside the copy is missing or damaged.
    std::optional<SRecoveryInfo> info;
};

// Where this editor keeps the recovery copies of its modified documents: a
// folder of its own under the recovery root, holding a lock file that stays
// locked until the editor ends. A folder whose lock anybody can take
// belongs to an editor that did not end cleanly (CLeftRecoveries). Copy n
// is "n.dat", the document as a save writes it, with "n.info" beside it.
class CRecoveryFolder {
public:
    CRecoveryFolder() = default;
    CRecoveryFolder(const CRecoveryFolder&) = delete;
    CRecoveryFolder& operator=(const CRecoveryFolder&) = delete;
    // The editor ends cleanly: the folder goes with whatever is left in it.
    ~CRecoveryFolder();

    // Makes this editor's folder under `root` (made too when missing);
    // false with Error() set when it cannot.
    bool Open(const std::string& root);
    bool IsOpen() const { return lockFd_ >= 0; }
    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

    // A number for a new copy.
    int NewEntry() { return ++lastEntry_; }
    std::string DataPath(int entry) const;
    // Writes copy `entry`: its info, then the document, each replacing the
    // one before only once complete. "" or why it failed. Runs on any
    // thread, one write of an entry at a time.
    std::string Write(int entry, const SRecoveryInfo& info,
                      const CDocumentSnapshot& snapshot) const;
    void Remove(int entry) const;
    // Moves a left copy into this folder; its new entry, or -1 when it
    // could not be moved (it then stays where it was).
    int Adopt(const SLeftRecovery& left);

private:
    std::string InfoPath(int entry) const;

    std::string path_;
    int lockFd_ = -1;
    int lastEntry_ = 0;
    std::string error_;
};

// The copies in the folders of editors that did not end cleanly. Those
// folders stay locked while this lives, so two editors starting together
// never both offer one copy; then the folders left without copies go.
class CLeftRecoveries {
public:
    explicit CLeftRecoveries(const std::string& root);
    CLeftRecoveries(const CLeftRecoveries&) = delete;
    CLeftRecoveries& operator=(const CLeftRecoveries&) = delete;
    ~CLeftRecoveries();

    const std::vector<SLeftRecovery>& Copies() const { return copies_; }
    // Removes a copy for good.
    static void Discard(const SLeftRecovery& copy);

private:
    struct CHeldFolder {
        std::string path;
        int lockFd;
    };

    void Collect(const std::string& folder);

    std::vector<CHeldFolder> folders_;
    std::vector<SLeftRecovery> copies_;
};

}  // namespace plexion
