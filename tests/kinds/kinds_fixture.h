#pragma once

#include <functional>

#include "archive_bytes.h"
#include "resource_container.h"
#include "temp_dir.h"

namespace plexion::test {

// A document holding one chunk of `tag` with one item whose payload `write`
// adds after the common item header.
inline std::vector<std::uint8_t> OneItemDocument(const std::string& tag, const std::string& id,
                                                 const std::function<void(CArchive&)>& write) {
    return ArchiveBytes([&](CArchive& a) {
        WriteDocumentHeader(a);
        WriteChunkHeader(a, tag, 1);
        WriteItemHeader(a, id);
        write(a);
    });
}

// Saves `c` and loads the file into `loaded`; returns the saved bytes.
inline std::vector<std::uint8_t> SaveAndReload(CVKT_ResourceContainer& c,
                                               CVKT_ResourceContainer& loaded) {
    CTempDir dir;
    const std::string path = dir.File("d.dat");
    if (c.Save(path) != 1) {
        return {};
    }
    loaded.Load(path);
    return ReadFileBytes(path);
}

}  // namespace plexion::test
