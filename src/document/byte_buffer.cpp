#include "byte_buffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

#include "archive.h"
#include "file_reading.h"
#include "safe_file_writer.h"
#include "scramble.h"

namespace plexion {
namespace {

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : fd_(fd) {}
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    ~CFileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

bool ReadAll(int fd, std::uint8_t* out, std::int64_t size) {
    while (size > 0) {
        const ssize_t n = ::read(fd, out, static_cast<std::size_t>(size));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        out += n;
        size -= n;
    }
    return true;
}

}  // namespace

bool CVKT_ByteBuffer::SetSize(std::int64_t size) {
    if (size < 0) {
        return false;
    }
    if (size == 0) {
        data_.reset();
        size_ = capacity_ = 0;
        return true;
    }
    if (!data_ || capacity_ < size || size + extra_ < capacity_) {
        const std::int64_t capacity = size + extra_;
        std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[capacity]);
        if (!block) {
            return false;
        }
        if (data_) {
            std::memcpy(block.get(), data_.get(), static_cast<std::size_t>(std::min(size_, size)));
        }
        data_ = std::move(block);
        capacity_ = capacity;
    }
    size_ = size;
    return true;
}

bool CVKT_ByteBuffer::LoadFromFile(const std::string& path) {
    CFileDescriptor file(OpenForReading(path));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    CVKT_ByteBuffer loaded;
    loaded.extra_ = extra_;
    if (!loaded.SetSize(info.st_size) || !ReadAll(file.get(), loaded.Data(), info.st_size)) {
        return false;
    }
    *this = std::move(loaded);
    return true;
}

bool CVKT_ByteBuffer::SaveToFile(const std::string& path) const {
    if (!data_ || size_ == 0) {
        return false;
    }
    return WriteFileSafely(path, {data_.get(), static_cast<std::size_t>(size_)}).empty();
}

void CVKT_ByteBuffer::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        if (data_ && size_ > 0) {
            archive.WriteRaw(data_.get(), static_cast<std::size_t>(size_));
        }
    } else if (size_ > 0) {
        archive.ReadRaw(data_.get(), static_cast<std::size_t>(size_));
    }
}

void CVKT_ByteBuffer::Scramble() {
    ScrambleBlock(data_.get(), data_.get(), static_cast<std::size_t>(size_));
}

void CVKT_ByteBuffer::Unscramble() {
    UnscrambleBlock(data_.get(), data_.get(), static_cast<std::size_t>(size_));
}

}  // namespace plexion
