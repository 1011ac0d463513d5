#include "folder_payloads.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

namespace plexion::tool {
namespace {

constexpr std::size_t kCopyBufferSize = 1 << 20;

bool StaysInside(const std::filesystem::path& name) {
    if (name.empty() || name.is_absolute()) {
        return false;
    }
    for (const std::filesystem::path& part : name) {
        if (part == ".." || part.empty()) {
            return false;
        }
    }
    return true;
}

}  // namespace

CFolderPayloads::CFile::~CFile() {
    ::close(fd_);
}

bool CFolderPayloads::CFile::CopyInto(CArchive& archive, std::uint64_t offset, std::uint64_t size,
                                      CArchive::BlockTransform transform) const {
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max<std::uint64_t>(size, 1), kCopyBufferSize)));
    while (size > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
        const ssize_t got = ::pread(fd_, buffer.data(), wanted, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        const auto count = static_cast<std::size_t>(got);
        if (transform) {
            archive.WriteTransformed(buffer.data(), count, transform);
        } else {
            archive.WriteRaw(buffer.data(), count);
        }
        offset += count;
        size -= count;
    }
    return true;
}

CFolderPayloads::CFile CFolderPayloads::Open(CJsonFields& fields) const {
    const CJsonValue& member = fields.Get("file");
    const std::string name = fields.TextOf(member, "\"file\"");
    if (!StaysInside(name)) {
        fields.Fail(member, "the file \"" + name +
                                "\" is not allowed: payload files are named relative to the "
                                "folder and stay inside it");
    }
    const std::filesystem::path path = root_ / name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int why = fd < 0 ? errno : 0;
        if (fd >= 0) {
            ::close(fd);
        }
        fields.Fail(member, "cannot read the file \"" + name + "\": " +
                                (why == ELOOP ? "it is a symbolic link"
                                 : why != 0   ? std::strerror(why)
                                              : "it is not a regular file"));
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        ::close(fd);
        fields.Fail(member, "the file \"" + name +
                                "\" is larger than a document can store (2 GiB - 1 bytes)");
    }
    return CFile(fd, size, path);
}

}  // namespace plexion::tool
