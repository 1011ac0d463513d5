#pragma once

#include <string>

namespace plexion::tool {

// A document as a folder of text and files, for version control: the JSON
// of the document, and beside it one folder per group whose items have
// payload files.
inline constexpr const char* kFolderJsonName = "document.json";

// "003-hero.png": the item's position in its group and its ID, made safe as a
// file name, with the extension its bytes are best opened with.
std::string PayloadFileName(int index, const std::string& id, const std::string& extension);

}  // namespace plexion::tool
