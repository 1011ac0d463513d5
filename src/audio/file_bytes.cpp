#include "file_bytes.h"

#include <cstdio>
#include <memory>

#include "file_reading.h"

namespace plexion {

bool ReadWholeFile(const std::string& path, std::uint64_t maxBytes,
                   std::vector<std::uint8_t>& out) {
    out.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenStreamForReading(path),
                                                         &std::fclose);
    if (!file) {
        return false;
    }
    // Read in pieces rather than trusting a size from seeking: the file may
    // be a pipe or change while it is read.
    std::uint8_t piece[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, file.get());
        if (got > 0) {
            if (out.size() + got > maxBytes) {
                out.clear();
                return false;
            }
            out.insert(out.end(), piece, piece + got);
        }
        if (got < sizeof piece) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace plexion
