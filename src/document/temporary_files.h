#pragma once

#include <string>

namespace plexion {

// Temporary files that an interrupted program removes on its way out: a
// SIGINT or SIGTERM unlinks every registered file, then ends the program as
// the signal would have. Registration is safe from any thread.

// Installs the handlers for SIGINT and SIGTERM (once; later calls do nothing).
void InstallTemporaryFileCleanup();
// Registers `name` in the folder open as `folderFd`; a handle for
// UnregisterTemporaryFile, or -1 when too many are registered at once (the
// file is then merely not cleaned up by a signal).
int RegisterTemporaryFile(int folderFd, const std::string& name);
void UnregisterTemporaryFile(int handle);

}  // namespace plexion
