#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resource_container.h"

namespace plexion {
class CVKT_Bitmap;
}

namespace plexion::tool {

// What an item gives when it is extracted: its bytes and the file extension
// (without the dot) they are best saved with, empty when unknown.
struct CItemContent {
    std::vector<std::uint8_t> bytes;
    std::string extension;
};

// The extension of the file a picture came from, or else of the picture
// format its bytes begin like ("bin" when none).
std::string BitmapExtension(const CVKT_Bitmap& bitmap);

// Whether items of the kind can be extracted: files, bitmaps and sounds.
bool IsExtractableKind(int kind);

// True when the item holds nothing to extract (no file bytes, no bitmap
// source, no samples or Ogg bytes).
bool HasNoContent(const CVKT_ResourceContainer& resources, int kind, int index);

// A binary file's bytes, a bitmap's source bytes, a PCM sound as a WAV file
// or an Ogg sound's bytes. Throws CToolFailure when a sound's numbers cannot
// make a WAV file.
CItemContent ContentOf(const CVKT_ResourceContainer& resources, int kind, int index);

}  // namespace plexion::tool
