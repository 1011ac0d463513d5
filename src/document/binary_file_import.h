#pragma once

#include <string>

namespace plexion {

class CVKT_ResourceContainer;

// Appends a binary-file item made from the file at `path`, its ID being the
// file's title. Returns the new index, or -1 with nothing added when the file
// cannot be read.
int AddBinaryFile(CVKT_ResourceContainer& container, const std::string& path);

}  // namespace plexion
