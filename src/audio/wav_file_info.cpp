#include "wav_file_info.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "file_reading.h"

namespace plexion {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::uint64_t kHeaderBytes = 44;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

class CFileReader {
public:
    explicit CFileReader(const std::string& path) : file_(OpenStreamForReading(path), &Close) {
        struct stat status {};
        if (file_ && ::fstat(::fileno(file_.get()), &status) == 0 && S_ISREG(status.st_mode)) {
            size_ = static_cast<std::uint64_t>(status.st_size);
        }
    }
    bool Opened() const { return file_ != nullptr; }
    std::uint64_t Size() const { return size_; }
    // Reads exactly n bytes at `offset`; false when the file holds fewer.
    bool Read(std::uint64_t offset, void* buffer, std::size_t n) {
        if (!file_ || offset > size_ || n > size_ - offset ||
            offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) ||
            ::fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) != 0) {
            return false;
        }
        return std::fread(buffer, 1, n, file_.get()) == n;
    }

private:
    static int Close(std::FILE* f) { return std::fclose(f); }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    std::uint64_t size_ = 0;
};

}  // namespace

std::string GroupDigits(std::int64_t value) {
    const std::string digits = std::to_string(value);
    if (digits.size() < 4) {
        return digits;
    }
    // Blanks go between groups of three digits counted from the right; a
    // minus sign is not a digit.
    const std::size_t first = digits[0] == '-' ? 1 : 0;
    std::string grouped = digits.substr(0, first);
    const std::size_t count = digits.size() - first;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) {
            grouped += ' ';
        }
        grouped += digits[first + i];
    }
    return grouped;
}

std::string DurationText(std::int64_t frames, std::int32_t rate) {
    std::int64_t ms = 0;
    if (rate > 0) {
        ms = static_cast<std::int64_t>(
            std::round(static_cast<double>(frames) * 1000.0 / static_cast<double>(rate)));
    }
    char text[64];
    std::snprintf(text, sizeof text, "%lld:%02d.%03d", static_cast<long long>(ms / 60000),
                  static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000));
    return text;
}

std::string CWavFileInfo::Inspect(const std::string& path) {
    *this = CWavFileInfo();
    CFileReader file(path);
    if (!file.Opened()) {
        return kCannotOpen;
    }
    opened = true;
    if (file.Size() < kHeaderBytes) {
        return kNotWav;
    }
    std::uint8_t riff[12];
    if (!file.Read(0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0) {
        return kNotWav;
    }
    // Walk the chunks; every step moves on by at least 8 bytes, so the walk
    // ends at the end of the file.
    bool haveFormat = false;
    bool haveData = false;
    std::uint8_t format[40] = {};
    std::uint32_t formatSize = 0;
    std::uint64_t offset = 12;
    while (!(haveFormat && haveData) && offset + 8 <= file.Size()) {
        std::uint8_t header[8];
        if (!file.Read(offset, header, sizeof header)) {
            break;
        }
        const std::uint64_t size = U32(header + 4);
        const std::uint64_t body = offset + 8;
        const std::uint64_t present = std::min(size, file.Size() - body);
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFormat) {
            formatSize =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(present, sizeof format));
            haveFormat = formatSize >= 16 && file.Read(body, format, formatSize);
        } else if (std::memcmp(header, "data", 4) == 0 && !haveData) {
            haveData = true;
            dataOffset = body;
            dataBytes = present;
        }
        offset = body + size + (size & 1);
    }
    if (!haveFormat || !haveData) {
        return kNotWav;
    }
    recognised = true;
    const std::uint16_t tag = U16(format);
    channels = U16(format + 2);
    const std::uint32_t rate = U32(format + 4);
    sampleRate = rate > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())
                     ? 0
                     : static_cast<std::int32_t>(rate);
    blockAlign = U16(format + 12);
    bitsPerSample = U16(format + 14);
    formatTag = tag;
    if (tag == kFormatExtensible && formatSize >= 26) {
        extensible = true;
        // The sub-format GUID starts at byte 24; its first two bytes are the
        // format code.
        formatTag = formatSize >= 26 ? U16(format + 24) : 0;
    }
    if (channels > 0) {
        containerBytes = blockAlign > 0 && blockAlign % channels == 0
                             ? static_cast<std::uint16_t>(blockAlign / channels)
                             : static_cast<std::uint16_t>((bitsPerSample + 7) / 8);
    }
    if (formatTag == kFormatPcm && containerBytes >= 1 && containerBytes <= 4) {
        encoding = Encoding::Integer;
    } else if (formatTag == kFormatFloat && (containerBytes == 4 || containerBytes == 8)) {
        encoding = Encoding::Float;
    }
    const std::uint64_t frames = blockAlign ? dataBytes / blockAlign : dataBytes;
    frameCount = static_cast<std::int32_t>(
        std::min<std::uint64_t>(frames, std::numeric_limits<std::int32_t>::max()));
    char text[200];
    std::snprintf(text, sizeof text, "%d Bits, %d Channels, %d Hz, %s Samples, Time %s",
                  bitsPerSample, channels, sampleRate, GroupDigits(frameCount).c_str(),
                  DurationText(frameCount, sampleRate).c_str());
    return text;
}

}  // namespace plexion
