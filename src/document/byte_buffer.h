#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plexion {

class CArchive;

// The bytes of a binary-file item. Growth is explicit: a block is allocated to
// exactly size + extra bytes, so memory follows what the item holds.
class CVKT_ByteBuffer {
public:
    bool SetSize(std::int64_t size);
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;
    // Writes the bytes raw, or reads Size() bytes into the block (the caller
    // sets the size first).
    void Serialize(CArchive& archive);
    void Scramble();
    void Unscramble();

    const std::uint8_t* Data() const { return data_.get(); }
    std::uint8_t* Data() { return data_.get(); }
    std::int64_t Size() const { return size_; }
    std::int64_t Capacity() const { return capacity_; }
    std::int64_t Extra() const { return extra_; }
    void SetExtra(std::int64_t extra) { extra_ = extra < 0 ? 0 : extra; }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::int64_t size_ = 0;
    std::int64_t extra_ = 0;
    std::int64_t capacity_ = 0;
};

}  // namespace plexion
