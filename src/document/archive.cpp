#include "archive.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include "format_constants.h"
#include "scramble.h"

static_assert(std::endian::native == std::endian::little,
              "the stored format is little-endian and values are copied as they are");

namespace plexion {
namespace {

[[noreturn]] void ThrowTruncated() {
    throw CArchiveError(CArchiveError::Reason::Truncated, "the file ends inside a record");
}

[[noreturn]] void ThrowIo(const char* what) {
    throw CArchiveError(CArchiveError::Reason::Io, std::string(what) + ": " + std::strerror(errno));
}

constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kVeryLongLength = 0xFFFF;

}  // namespace

CArchive::CArchive(bool loading, int fd) : loading_(loading), fd_(fd) {}

CArchive CArchive::ReaderOf(int fd, std::uint64_t length) {
    CArchive archive(true, fd);
    archive.buffer_.resize(format::kStreamBufferSize);
    archive.length_ = length;
    return archive;
}

CArchive CArchive::ReaderOf(std::span<const std::uint8_t> bytes) {
    CArchive archive(true, -1);
    archive.window_ = bytes.data();
    archive.windowSize_ = bytes.size();
    archive.length_ = bytes.size();
    return archive;
}

CArchive CArchive::WriterTo(int fd) {
    CArchive archive(false, fd);
    archive.buffer_.resize(format::kStreamBufferSize);
    return archive;
}

CArchive CArchive::WriterToMemory(std::vector<std::uint8_t>& sink) {
    CArchive archive(false, -1);
    archive.sink_ = &sink;
    // Items are often small: a full stream buffer would cost more to clear
    // than the item costs to write.
    constexpr std::size_t kMemoryBufferSize = 4096;
    archive.buffer_.resize(kMemoryBufferSize);
    return archive;
}

CArchive CArchive::Counter() {
    std::vector<std::uint8_t> none;
    CArchive archive = WriterToMemory(none);
    archive.sink_ = nullptr;
    archive.countOnly_ = true;
    return archive;
}

std::uint64_t CArchive::Tell() const {
    return windowStart_ + windowPos_;
}

std::uint64_t CArchive::BytesLeft() const {
    const std::uint64_t position = Tell();
    return position < length_ ? length_ - position : 0;
}

void CArchive::CheckClaim(std::int64_t count, std::uint64_t recordSize) const {
    if (count <= 0) {
        return;
    }
    const auto n = static_cast<std::uint64_t>(count);
    if (recordSize != 0 && n > BytesLeft() / recordSize) {
        throw CArchiveError(CArchiveError::Reason::Oversized,
                            "a record claims more data than the file holds");
    }
}

void CArchive::Seek(std::uint64_t position) {
    if (position >= windowStart_ && position <= windowStart_ + windowSize_) {
        windowPos_ = static_cast<std::size_t>(position - windowStart_);
        return;
    }
    if (fd_ < 0 || position > length_) {
        ThrowTruncated();
    }
    if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) {
        ThrowIo("seek failed");
    }
    windowStart_ = position;
    windowSize_ = 0;
    windowPos_ = 0;
}

void CArchive::Refill() {
    windowStart_ += windowSize_;
    windowSize_ = 0;
    windowPos_ = 0;
    if (fd_ < 0) {
        return;
    }
    const std::uint64_t left = length_ > windowStart_ ? length_ - windowStart_ : 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), left));
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = ::read(fd_, buffer_.data() + got, wanted - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ThrowIo("read failed");
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    window_ = buffer_.data();
    windowSize_ = got;
}

void CArchive::ReadDirect(std::uint8_t* destination, std::size_t size) {
    // Large blocks bypass the buffer; the window is empty when we get here.
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd_, destination + got, size - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ThrowIo("read failed");
        }
        if (n == 0) {
            ThrowTruncated();
        }
        got += static_cast<std::size_t>(n);
    }
    windowStart_ += size;
}

void CArchive::ReadRaw(void* destination, std::size_t size) {
    if (size > BytesLeft()) {
        ThrowTruncated();
    }
    auto* out = static_cast<std::uint8_t*>(destination);
    while (size > 0) {
        const std::size_t available = windowSize_ - windowPos_;
        if (available > 0) {
            const std::size_t n = std::min(available, size);
            std::memcpy(out, window_ + windowPos_, n);
            windowPos_ += n;
            out += n;
            size -= n;
            continue;
        }
        if (fd_ >= 0 && size >= buffer_.size()) {
            windowStart_ += windowSize_;
            windowSize_ = 0;
            windowPos_ = 0;
            ReadDirect(out, size);
            return;
        }
        Refill();
        if (windowSize_ == 0) {
            ThrowTruncated();
        }
    }
}

void CArchive::Skip(std::uint64_t size) {
    if (size > BytesLeft()) {
        ThrowTruncated();
    }
    Seek(Tell() + size);
}

template <typename T>
T CArchive::ReadValue() {
    T value;
    if (windowSize_ - windowPos_ >= sizeof(T)) {
        std::memcpy(&value, window_ + windowPos_, sizeof(T));
        windowPos_ += sizeof(T);
    } else {
        ReadRaw(&value, sizeof(T));
    }
    return value;
}

std::int32_t CArchive::ReadInt32() {
    return ReadValue<std::int32_t>();
}
std::uint32_t CArchive::ReadUInt32() {
    return ReadValue<std::uint32_t>();
}
std::uint16_t CArchive::ReadUInt16() {
    return ReadValue<std::uint16_t>();
}
std::uint8_t CArchive::ReadByte() {
    return ReadValue<std::uint8_t>();
}
float CArchive::ReadFloat32() {
    return ReadValue<float>();
}
double CArchive::ReadFloat64() {
    return ReadValue<double>();
}

std::uint32_t CArchive::ReadStringLength() {
    std::uint32_t length = ReadByte();
    if (length == kLongLength) {
        length = ReadUInt16();
        if (length == kVeryLongLength) {
            length = ReadUInt32();
        }
    }
    return length;
}

std::string CArchive::ReadString() {
    const std::uint32_t length = ReadStringLength();
    CheckClaim(length);
    std::string text(length, '\0');
    ReadRaw(text.data(), length);
    return text;
}

std::string CArchive::ReadScrambledString() {
    return UnscrambleText(ReadString());
}

void CArchive::WriteDirect(const std::uint8_t* source, std::size_t size) {
    if (sink_ != nullptr || countOnly_) {
        if (sink_ != nullptr) {
            sink_->insert(sink_->end(), source, source + size);
        }
        written_ += size;
        return;
    }
    while (size > 0) {
        const ssize_t n = ::write(fd_, source, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ThrowIo("write failed");
        }
        source += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<std::uint64_t>(n);
    }
}

void CArchive::Flush() {
    const std::size_t pending = pending_;
    pending_ = 0;
    WriteDirect(buffer_.data(), pending);
}

void CArchive::WriteRaw(const void* source, std::size_t size) {
    // An empty vector's data() may be null, which memcpy must never get.
    if (size == 0) {
        return;
    }
    const auto* in = static_cast<const std::uint8_t*>(source);
    if (pending_ + size <= buffer_.size()) {
        std::memcpy(buffer_.data() + pending_, in, size);
        pending_ += size;
        return;
    }
    Flush();
    if (size >= buffer_.size()) {
        WriteDirect(in, size);
        return;
    }
    std::memcpy(buffer_.data(), in, size);
    pending_ = size;
}

void CArchive::WriteTransformed(const std::uint8_t* source, std::size_t size,
                                BlockTransform transform) {
    while (size > 0) {
        if (pending_ == buffer_.size()) {
            Flush();
        }
        const std::size_t n = std::min(size, buffer_.size() - pending_);
        transform(source, buffer_.data() + pending_, n);
        pending_ += n;
        source += n;
        size -= n;
    }
}

template <typename T>
void CArchive::WriteValue(T value) {
    if (pending_ + sizeof(T) <= buffer_.size()) {
        std::memcpy(buffer_.data() + pending_, &value, sizeof(T));
        pending_ += sizeof(T);
    } else {
        WriteRaw(&value, sizeof(T));
    }
}

void CArchive::WriteInt32(std::int32_t value) {
    WriteValue(value);
}
void CArchive::WriteUInt32(std::uint32_t value) {
    WriteValue(value);
}
void CArchive::WriteUInt16(std::uint16_t value) {
    WriteValue(value);
}
void CArchive::WriteByte(std::uint8_t value) {
    WriteValue(value);
}
void CArchive::WriteFloat32(float value) {
    WriteValue(value);
}
void CArchive::WriteFloat64(double value) {
    WriteValue(value);
}

void CArchive::WriteString(const std::string& text) {
    const std::size_t length = text.size();
    if (length < kLongLength) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kVeryLongLength - 1) {
        WriteByte(kLongLength);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else if (length <= std::numeric_limits<std::uint32_t>::max()) {
        WriteByte(kLongLength);
        WriteUInt16(kVeryLongLength);
        WriteUInt32(static_cast<std::uint32_t>(length));
    } else {
        errno = EFBIG;
        ThrowIo("a text is longer than the format can store");
    }
    WriteRaw(text.data(), length);
}

void CArchive::WriteScrambledString(const std::string& text) {
    WriteString(ScrambleText(text));
}

}  // namespace plexion
