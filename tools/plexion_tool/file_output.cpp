#include "file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace plexion::tool {

int WriteBytesToFile(const std::string& path, std::span<const std::uint8_t> bytes,
                     FileCreation creation) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC |
                      (creation == FileCreation::OnlyNew ? O_EXCL | O_NOFOLLOW : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        return errno;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            return error;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 ? 0 : errno;
}

}  // namespace plexion::tool
