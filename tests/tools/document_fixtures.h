#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexion::test {

// A picture bitmap as the editor stores it after an import.
struct CImageBitmap {
    std::string id;
    std::string sourceName;
    std::vector<std::uint8_t> bytes;
    double width = 0;
    double height = 0;
};

// Appends a bitmaps chunk of pictures to a saved document (it must not hold
// bitmaps already: a later chunk of a group replaces an earlier one).
void AppendImageBitmaps(const std::string& path, const std::vector<CImageBitmap>& bitmaps);

// Just a file header of the given version with the default name and
// comments, no groups.
void WriteHeaderOnly(const std::string& path, std::int32_t version);

// A document with one text, the "settings_password" parameter.
void WritePasswordDocument(const std::string& path, const std::string& password);

// A document with an item of every kind but bitmap pictures: PCM sounds of
// 8, 16 and 32 bits, an Ogg sound, a region bitmap, an animation, a
// collision shape, a map, a color and a binary file.
void WriteEveryKindDocument(const std::string& path);

// The bytes of the binary file in WriteEveryKindDocument: all 256 values.
std::vector<std::uint8_t> EveryByteValue();
// The samples of its 16-bit stereo sound "step".
std::vector<std::uint8_t> StepSamples();

}  // namespace plexion::test
