#include "file_reading.h"

#include <fcntl.h>
#include <unistd.h>

namespace plexion {

int OpenForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::FILE* OpenStreamForReading(const std::string& path) {
    const int fd = OpenForReading(path);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "rb");
    if (!stream) {
        ::close(fd);
    }
    return stream;
}

}  // namespace plexion
