#include "plain_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace plexion_bench {
namespace {

constexpr std::size_t kWriteChunk = 32 * 1024;
constexpr std::size_t kReadChunk = 8 * 1024 * 1024;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

class CDescriptor {
public:
    CDescriptor(const std::string& path, int flags) : fd_(::open(path.c_str(), flags, 0644)) {
        if (fd_ < 0) {
            Fail("cannot open " + path);
        }
    }
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() { ::close(fd_); }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

void PlainWrite(const std::string& path, const std::uint8_t* data, std::uint64_t size) {
    CDescriptor file(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    while (size > 0) {
        const ssize_t n = ::write(file.get(), data, std::min<std::uint64_t>(size, kWriteChunk));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Fail("cannot write " + path);
        }
        data += n;
        size -= static_cast<std::uint64_t>(n);
    }
    if (::fsync(file.get()) != 0) {
        Fail("cannot sync " + path);
    }
}

std::uint64_t PlainRead(const std::string& path, std::uint8_t* out, std::uint64_t capacity) {
    CDescriptor file(path, O_RDONLY | O_CLOEXEC);
    std::uint64_t total = 0;
    while (total < capacity) {
        const ssize_t n =
            ::read(file.get(), out + total, std::min<std::uint64_t>(capacity - total, kReadChunk));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail("cannot read " + path);
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(n);
    }
    return total;
}

}  // namespace plexion_bench
