#pragma once

#include <string>

namespace plexion {

class CVKT_ResourceContainer;

// Insert Image(s) for one file: appends a bitmap whose ID is the file's title
// and loads the file into it as a picture. Returns the new index, or -1 with
// nothing added when the file cannot be read.
int InsertImage(CVKT_ResourceContainer& container, const std::string& path);

}  // namespace plexion
