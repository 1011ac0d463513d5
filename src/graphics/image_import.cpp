#include "image_import.h"

#include "bitmap_item.h"
#include "paths.h"
#include "resource_container.h"

namespace plexion {

int InsertImage(CVKT_ResourceContainer& container, const std::string& path,
                EDecodeProblem* problem) {
    const int index = container.New<CVKT_Bitmap>(FileTitleOf(path));
    CVKT_Bitmap* bitmap = container.GetAt<CVKT_Bitmap>(index);
    if (!bitmap) {
        return -1;
    }
    if (!bitmap->LoadFromFile(CVKT_Bitmap::kKindImage, path, problem)) {
        container.Delete<CVKT_Bitmap>(index);
        return -1;
    }
    return index;
}

}  // namespace plexion
