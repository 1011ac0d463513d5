#pragma once

#include <string>

#include "decoded_picture.h"

namespace plexion {

class CVKT_ResourceContainer;

// Insert Image(s) for one file: appends a bitmap whose ID is the file's title
// and loads the file into it as a picture. Returns the new index, or -1 with
// nothing added when the file cannot be read or is a metafile asking for
// too much work. `problem`, when given, tells why no picture was decoded
// (NotAPicture with an index: kept as a 0 x 0 picture with its bytes).
int InsertImage(CVKT_ResourceContainer& container, const std::string& path,
                EDecodeProblem* problem = nullptr);

}  // namespace plexion
