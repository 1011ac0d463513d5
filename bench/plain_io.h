#pragma once

#include <cstdint>
#include <string>

namespace plexion_bench {

// The baselines: the least a save or a load must do with the same bytes.

// Writes `size` bytes from `data` in 32 KiB writes, as the document writer
// does, then fsyncs like a save.
void PlainWrite(const std::string& path, const std::uint8_t* data, std::uint64_t size);

// Reads the file into `out`, `capacity` bytes at most, in large reads; the
// number of bytes read.
std::uint64_t PlainRead(const std::string& path, std::uint8_t* out, std::uint64_t capacity);

}  // namespace plexion_bench
