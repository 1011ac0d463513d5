#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace plexion {

// A stored document could not be read or written. Reading never trusts a
// count or size: Oversized is thrown before anything is allocated for a claim
// that the bytes left cannot hold.
class CArchiveError : public std::runtime_error {
public:
    enum class Reason { Truncated, Oversized, Io };
    CArchiveError(Reason reason, const std::string& what)
        : std::runtime_error(what), reason_(reason) {}
    Reason reason() const { return reason_; }

private:
    Reason reason_;
};

// The sequential, buffered little-endian stream every payload is built from.
// It reads from a file descriptor or from memory, or writes to a descriptor;
// positions are logical (read-ahead not counted).
class CArchive {
public:
    static CArchive ReaderOf(int fd, std::uint64_t length);
    static CArchive ReaderOf(std::span<const std::uint8_t> bytes);
    static CArchive WriterTo(int fd);
    // Appends what is written to `sink` (after Flush), which must outlive
    // the archive.
    static CArchive WriterToMemory(std::vector<std::uint8_t>& sink);
    // Keeps nothing: BytesWritten tells how much was written.
    static CArchive Counter();

    CArchive(CArchive&&) = default;
    CArchive& operator=(CArchive&&) = default;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }

    // Reading.
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    std::uint16_t ReadUInt16();
    std::uint8_t ReadByte();
    float ReadFloat32();
    double ReadFloat64();
    std::string ReadString();
    // The length prefix of an archive string, alone.
    std::uint32_t ReadStringLength();
    std::string ReadScrambledString();
    void ReadRaw(void* destination, std::size_t size);
    void Skip(std::uint64_t size);
    std::uint64_t Tell() const;
    void Seek(std::uint64_t position);
    std::uint64_t Length() const { return length_; }
    std::uint64_t BytesLeft() const;
    // Throws Oversized unless `count` records of `recordSize` bytes fit in the
    // bytes left; a negative count claims nothing.
    void CheckClaim(std::int64_t count, std::uint64_t recordSize = 1) const;

    // Writing.
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteByte(std::uint8_t value);
    void WriteFloat32(float value);
    void WriteFloat64(double value);
    void WriteString(const std::string& text);
    void WriteScrambledString(const std::string& text);
    void WriteRaw(const void* source, std::size_t size);
    // Writes `size` bytes passed through `transform` on their way out, leaving
    // the source untouched.
    using BlockTransform = void (*)(const std::uint8_t*, std::uint8_t*, std::size_t);
    void WriteTransformed(const std::uint8_t* source, std::size_t size, BlockTransform transform);
    void Flush();
    std::uint64_t BytesWritten() const { return written_ + pending_; }

private:
    CArchive(bool loading, int fd);
    void Refill();
    void ReadDirect(std::uint8_t* destination, std::size_t size);
    void WriteDirect(const std::uint8_t* source, std::size_t size);
    template <typename T>
    T ReadValue();
    template <typename T>
    void WriteValue(T value);

    bool loading_;
    int fd_;
    std::vector<std::uint8_t>* sink_ = nullptr;
    bool countOnly_ = false;
    std::vector<std::uint8_t> buffer_;
    // Reading window: bytes [windowStart_, windowStart_ + windowSize_) of the
    // stream are at window_, of which windowPos_ have been consumed.
    const std::uint8_t* window_ = nullptr;
    std::size_t windowSize_ = 0;
    std::size_t windowPos_ = 0;
    std::uint64_t windowStart_ = 0;
    std::uint64_t length_ = 0;
    // Writing: bytes already written to the descriptor and bytes in buffer_.
    std::uint64_t written_ = 0;
    std::size_t pending_ = 0;
};

}  // namespace plexion
