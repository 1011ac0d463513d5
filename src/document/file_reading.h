#pragma once

#include <cstdio>
#include <string>

namespace plexion {

// Opens a file for reading without waiting for anything: a named pipe that
// has no writer opens at once (and then reads as empty) instead of blocking
// the program until one comes. Reads block as usual afterwards. -1 (with
// errno set) when it cannot be opened.
int OpenForReading(const std::string& path);

// The same as a stdio stream for binary reading, or null.
std::FILE* OpenStreamForReading(const std::string& path);

}  // namespace plexion
