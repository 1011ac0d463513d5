#pragma once

namespace plexion {

class CVKT_ResourceGroup;

// Decodes every stored picture of a bitmaps group that is still encoded, on
// all cores. Each picture is decoded on its own, so the result is the same
// as decoding them one after another.
void DecodeStoredPictures(CVKT_ResourceGroup& bitmaps);

}  // namespace plexion
