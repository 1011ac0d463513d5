#include "recovery_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "document_snapshot.h"
#include "safe_file_writer.h"

namespace plexion {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLockName = "lock";
constexpr const char* kDataSuffix = ".dat";
constexpr const char* kInfoSuffix = ".info";
// An info is a few lines; anything much longer is not one.
constexpr std::uintmax_t kMaxInfoBytes = 64 * 1024;

std::string InfoPathOf(const std::string& dataPath) {
    return dataPath.substr(0, dataPath.size() - std::strlen(kDataSuffix)) + kInfoSuffix;
}

bool IsHidden(const fs::path& path) { return path.filename().string().starts_with('.'); }

// The lock file of `folder`, locked; -1 when another editor holds it.
int LockFolder(const std::string& folder) {
    const int fd = ::open((folder + "/" + kLockName).c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<SRecoveryInfo> ReadInfo(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kMaxInfoBytes) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return in ? DecodeRecoveryInfo(text) : std::nullopt;
}

bool HoldsCopies(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!IsHidden(entry.path()) && entry.path().extension() == kDataSuffix) {
            return true;
        }
    }
    return false;
}

}  // namespace

CRecoveryFolder::~CRecoveryFolder() {
    if (lockFd_ < 0) {
        return;
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    ::close(lockFd_);
}

bool CRecoveryFolder::Open(const std::string& root) {
    std::error_code error;
    fs::create_directories(root, error);
    if (error) {
        error_ = "cannot make the folder \"" + root + "\": " + error.message();
        return false;
    }
    // The folder gets its lock before its visible name, so that no starting
    // editor ever takes it for a left one.
    std::string staging = root + "/.editor-XXXXXX";
    if (::mkdtemp(staging.data()) == nullptr) {
        error_ = "cannot make a folder in \"" + root + "\": " + std::strerror(errno);
        return false;
    }
    const int fd = LockFolder(staging);
    const std::string named = root + "/" + fs::path(staging).filename().string().substr(1);
    if (fd < 0 || ::rename(staging.c_str(), named.c_str()) != 0) {
        error_ = "cannot prepare the folder \"" + named + "\": " + std::strerror(errno);
        if (fd >= 0) {
            ::close(fd);
        }
        fs::remove_all(staging, error);
        return false;
    }
    path_ = named;
    lockFd_ = fd;
    return true;
}

std::string CRecoveryFolder::DataPath(int entry) const {
    return path_ + "/" + std::to_string(entry) + kDataSuffix;
}

std::string CRecoveryFolder::InfoPath(int entry) const {
    return path_ + "/" + std::to_string(entry) + kInfoSuffix;
}

std::string CRecoveryFolder::Write(int entry, const SRecoveryInfo& info,
                                   const CDocumentSnapshot& snapshot) const {
    const std::string text = EncodeRecoveryInfo(info);
    std::string error = WriteFileSafely(
        InfoPath(entry), {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    if (error.empty()) {
        snapshot.Save(DataPath(entry), error);
    }
    return error;
}

void CRecoveryFolder::Remove(int entry) const {
    // The document first: a copy without its info would be offered as
    // damaged, an info without a copy is nothing.
    std::error_code ignored;
    fs::remove(DataPath(entry), ignored);
    fs::remove(InfoPath(entry), ignored);
}

int CRecoveryFolder::Adopt(const SLeftRecovery& left) {
    if (!left.info) {
        return -1;
    }
    const int entry = NewEntry();
    const std::string text = EncodeRecoveryInfo(*left.info);
    if (!WriteFileSafely(InfoPath(entry),
                         {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()})
             .empty() ||
        ::rename(left.dataPath.c_str(), DataPath(entry).c_str()) != 0) {
        Remove(entry);
        return -1;
    }
    std::error_code ignored;
    fs::remove(InfoPathOf(left.dataPath), ignored);
    return entry;
}

CLeftRecoveries::CLeftRecoveries(const std::string& root) {
    std::error_code error;
    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(root, error)) {
        if (!IsHidden(entry.path()) && entry.is_directory(error)) {
            folders.push_back(entry.path().string());
        }
    }
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) {
        const int fd = LockFolder(folder);
        if (fd >= 0) {
            folders_.push_back({folder, fd});
            Collect(folder);
        }
    }
}

void CLeftRecoveries::Collect(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> copies;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        if (IsHidden(path)) {
            // Nobody writes here any more: a hidden file is the temporary
            // file of a write that was cut off.
            fs::remove(path, error);
        } else if (path.extension() == kDataSuffix) {
            copies.push_back(path);
        }
    }
    std::sort(copies.begin(), copies.end(), [](const fs::path& a, const fs::path& b) {
        return std::make_pair(a.stem().string().size(), a.stem().string()) <
               std::make_pair(b.stem().string().size(), b.stem().string());
    });
    for (const fs::path& path : copies) {
        const std::string data = path.string();
        copies_.push_back({data, ReadInfo(InfoPathOf(data))});
    }
    // An info whose copy was never written stands for nothing.
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        if (path.extension() == kInfoSuffix &&
            !fs::exists(fs::path(path).replace_extension(kDataSuffix), error)) {
            fs::remove(path, error);
        }
    }
}

CLeftRecoveries::~CLeftRecoveries() {
    for (const CHeldFolder& folder : folders_) {
        if (!HoldsCopies(folder.path)) {
            std::error_code ignored;
            fs::remove_all(folder.path, ignored);
        }
        ::close(folder.lockFd);
    }
}

void CLeftRecoveries::Discard(const SLeftRecovery& copy) {
    std::error_code ignored;
    fs::remove(copy.dataPath, ignored);
    fs::remove(InfoPathOf(copy.dataPath), ignored);
}

}  // namespace plexion
