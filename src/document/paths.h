#pragma once

#include <string>

namespace plexion {

// Both "\\" and "/" separate folders in stored and typed paths.
bool IsPathSeparator(char c);

// The text after the last separator; a bare drive ("C:") has no name.
std::string FileNameOf(const std::string& path);
// The file name without the text from its last dot on.
std::string FileTitleOf(const std::string& path);
// The text after the last dot of the file name; empty when there is none.
std::string ExtensionOf(const std::string& path);

// The executable whose folder bare resource names are looked up in. Defaults
// to the running program; the tool and the editor set it from their start-up.
void SetExecutablePath(std::string path);
std::string ExecutablePath();

// A name with any folder part (or a drive colon) is used as it is; a bare
// name is looked for in the executable's folder.
std::string ResolveResourcePath(const std::string& name);

// The folder tried when a document is not found where it was asked for.
inline constexpr const char* kSharedFolder = "../Shared/";

}  // namespace plexion
