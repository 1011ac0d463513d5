#pragma once

#include <string>

namespace plexion {

class CVKT_ResourceContainer;

// The sounds panel's AddFile: appends a sound named after the file's title
// and loads the file into it. Returns the new index, or -1 with nothing added
// when the file does not load.
int AddSoundFile(CVKT_ResourceContainer& container, const std::string& path);

}  // namespace plexion
