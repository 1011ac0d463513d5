#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexion::test {

// Runs a program (looked up in PATH) with its output thrown away; its exit
// code, or -1 when it could not be started.
int RunProgram(const std::vector<std::string>& arguments);
// Fails the current test (with the command line) unless the program ran and
// exited 0.
void MustRun(const std::vector<std::string>& arguments);

// Little-endian building blocks for hand-made RIFF files.
class CBytes {
public:
    CBytes& Tag(const std::string& four);
    CBytes& U16(std::uint32_t v);
    CBytes& U32(std::uint32_t v);
    CBytes& I16(std::int16_t v) { return U16(static_cast<std::uint16_t>(v)); }
    CBytes& F32(float v);
    CBytes& Raw(const std::vector<std::uint8_t>& bytes);
    CBytes& Pad(std::size_t count, std::uint8_t value = 0);
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

// A "fmt " chunk body of 16 bytes.
std::vector<std::uint8_t> FormatBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                     std::uint16_t bits);
// A RIFF/WAVE file of the given chunks (id, body); odd bodies get their pad byte.
std::vector<std::uint8_t> RiffWave(
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& chunks);

std::vector<std::uint8_t> Int16Bytes(const std::vector<std::int16_t>& values);
std::vector<std::uint8_t> FloatBytes(const std::vector<float>& values);
std::vector<float> FloatsOf(const std::vector<std::uint8_t>& bytes);
std::vector<std::int16_t> Int16sOf(const std::vector<std::uint8_t>& bytes, std::size_t from = 0);

// A canonical 16-bit WAV file read back: its format and samples.
struct CWavContent {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::uint8_t> data;
};
CWavContent ReadCanonicalWav(const std::string& path);

}  // namespace plexion::test
