#include "document_folder.h"

#include <cstdio>

#include "output_names.h"

namespace plexion::tool {

std::string PayloadFileName(int index, const std::string& id, const std::string& extension) {
    char position[16];
    std::snprintf(position, sizeof position, "%03d-", index);
    const CSafeName name = SafeNameFor(id, extension);
    return position + name.stem + name.extension;
}

}  // namespace plexion::tool
