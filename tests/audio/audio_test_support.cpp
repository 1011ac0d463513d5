#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "child_process.h"
#include "temp_dir.h"

namespace plexion::test {

int RunProgram(const std::vector<std::string>& arguments) {
    return RunChildProcess(arguments);
}

void MustRun(const std::vector<std::string>& arguments) {
    const int code = RunProgram(arguments);
    std::string line;
    for (const std::string& a : arguments) {
        line += a + " ";
    }
    ASSERT_EQ(code, 0) << "failed (" << code << "): " << line
                       << (code == -1 ? "(not installed? run scripts/install-deps.sh)" : "");
}

CBytes& CBytes::Tag(const std::string& four) {
    bytes_.insert(bytes_.end(), four.begin(), four.end());
    return *this;
}

CBytes& CBytes::U16(std::uint32_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
}

CBytes& CBytes::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    return *this;
}

CBytes& CBytes::F32(float v) {
    return U32(std::bit_cast<std::uint32_t>(v));
}

CBytes& CBytes::Raw(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

CBytes& CBytes::Pad(std::size_t count, std::uint8_t value) {
    bytes_.insert(bytes_.end(), count, value);
    return *this;
}

std::vector<std::uint8_t> FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                     std::uint16_t bits) {
    const std::uint16_t align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    return CBytes().U16(tag).U16(channels).U32(rate).U32(rate * align).U16(align).U16(bits).Bytes();
}

std::vector<std::uint8_t> RiffWave(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& chunks) {
    CBytes body;
    body.Tag("WAVE");
    for (const auto& [id, data] : chunks) {
        body.Tag(id).U32(static_cast<std::uint32_t>(data.size())).Raw(data);
        if (data.size() % 2) {
            body.Pad(1);
        }
    }
    return CBytes()
        .Tag("RIFF")
        .U32(static_cast<std::uint32_t>(body.Size()))
        .Raw(body.Bytes())
        .Bytes();
}

std::vector<std::uint8_t> Int16Bytes(const std::vector<std::int16_t>& values) {
    CBytes b;
    for (std::int16_t v : values) {
        b.I16(v);
    }
    return b.Bytes();
}

std::vector<std::uint8_t> FloatBytes(const std::vector<float>& values) {
    CBytes b;
    for (float v : values) {
        b.F32(v);
    }
    return b.Bytes();
}

std::vector<float> FloatsOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<float> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

std::vector<std::int16_t> Int16sOf(const std::vector<std::uint8_t>& bytes, std::size_t from) {
    std::vector<std::int16_t> values((bytes.size() - from) / 2);
    std::memcpy(values.data(), bytes.data() + from, values.size() * 2);
    return values;
}

CWavContent ReadCanonicalWav(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    CWavContent content;
    auto u16 = [&](std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at)) |
               (static_cast<std::uint32_t>(u16(at + 2)) << 16);
    };
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                             bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
        const std::uint32_t size = u32(at + 4);
        if (id == "fmt ") {
            content.channels = u16(at + 10);
            content.rate = static_cast<int>(u32(at + 12));
            content.bits = u16(at + 22);
        } else if (id == "data") {
            const std::size_t end = std::min<std::size_t>(bytes.size(), at + 8 + size);
            content.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                bytes.begin() + static_cast<std::ptrdiff_t>(end));
        }
        at += 8 + size + (size & 1);
    }
    return content;
}

}  // namespace plexion::test
