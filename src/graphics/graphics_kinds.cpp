#include "graphics_kinds.h"

#include "bitmap_item.h"
#include "image_codecs.h"
#include "index_list_item.h"
#include "kind_registry.h"
#include "map_item.h"
#include "picture_decoding.h"

namespace plexion {

void RegisterGraphicsKinds() {
    RegisterResourceKind<CVKT_Bitmap>();
    RegisterResourceKind<CVKT_IndexList>();
    RegisterResourceKind<CVKT_Map>();
    RegisterGroupLoadedHook(CVKT_Bitmap::kKind, &DecodeStoredPicturesOnLoad);
    ApplyDecodeLimitsToQt();
}

}  // namespace plexion
