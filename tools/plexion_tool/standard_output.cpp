#include "standard_output.h"

#include <cstdio>
#include <string>

#include "tool_failure.h"

namespace plexion::tool {
namespace {

void WriteAll(const void* data, std::size_t size) {
    // An empty item has no buffer at all, and fwrite takes no null pointer.
    if (size > 0 && std::fwrite(data, 1, size, stdout) != size) {
        throw CToolFailure(kExitFileProblem, "cannot write to standard output");
    }
}

}  // namespace

void PrintLine(std::string_view line) {
    WriteAll(line.data(), line.size());
    WriteAll("\n", 1);
}

void WriteToStandardOutput(std::span<const std::uint8_t> bytes) {
    WriteAll(bytes.data(), bytes.size());
}

}  // namespace plexion::tool
