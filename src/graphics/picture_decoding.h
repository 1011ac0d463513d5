#pragma once

#include <cstdint>
#include <span>

#include "decoded_picture.h"

namespace plexion {

class CVKT_ResourceGroup;

// Decodes every stored picture of a bitmaps group that is still encoded, on
// all cores. Each picture is decoded on its own, so the result is the same
// as decoding them one after another.
void DecodeStoredPictures(CVKT_ResourceGroup& bitmaps);

// A picture decoded from these bytes before, in this process, is taken
// again rather than decoded again: the same document opened anew, reloaded
// or restored costs nothing a second time. Safe from several threads.
SDecodedPicture DecodePictureOnce(std::span<const std::uint8_t> bytes);

// When a document's stored pictures are decoded: as it is read (the
// editor, which shows them), or only when a caller asks for them with
// DecodeStoredPictures (a program that mostly never looks at pixels).
enum class EStoredPictureDecoding { OnLoad, WhenAsked };
void SetStoredPictureDecoding(EStoredPictureDecoding when);
// The group-loaded hook: decodes as SetStoredPictureDecoding says.
void DecodeStoredPicturesOnLoad(CVKT_ResourceGroup& bitmaps);

}  // namespace plexion
