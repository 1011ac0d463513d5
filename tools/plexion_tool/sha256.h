#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace plexion::tool {

// SHA-256 (FIPS 180-4), fed in pieces of any size.
class CSha256 {
public:
    CSha256();
    void Update(std::span<const std::uint8_t> bytes);
    std::array<std::uint8_t, 32> Finish();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

// The digest of `bytes` as 64 lowercase hex digits.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace plexion::tool
