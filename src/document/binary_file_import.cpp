#include "binary_file_import.h"

#include "binary_file_item.h"
#include "paths.h"
#include "resource_container.h"

namespace plexion {

int AddBinaryFile(CVKT_ResourceContainer& container, const std::string& path) {
    const int index = container.New<CVKT_BinaryFile>(FileTitleOf(path));
    CVKT_BinaryFile* item = container.GetAt<CVKT_BinaryFile>(index);
    if (!item) {
        return -1;
    }
    if (!item->Data().LoadFromFile(path)) {
        container.Delete<CVKT_BinaryFile>(index);
        return -1;
    }
    item->SetSourceFilename(path);
    return index;
}

}  // namespace plexion
