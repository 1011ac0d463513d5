#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resource.h"

namespace plexion::tool {

// The file that holds an item's payload in a document folder: a picture's
// bytes as they were imported, a PCM sound as a WAV file of its own format
// (raw samples when no WAV file can say that format exactly), an Ogg sound's
// file, a binary file's bytes. The bytes are the item's own wherever they can
// be: a folder of a large document is written without a second copy of it.
class CPayloadFile {
public:
    const std::string& Extension() const { return extension_; }
    // False for raw samples: the sound's numbers must then be given beside.
    bool HoldsFormat() const { return holdsFormat_; }
    std::span<const std::uint8_t> Bytes() const {
        return owned_ ? std::span<const std::uint8_t>(made_) : view_;
    }

    static CPayloadFile Viewing(std::span<const std::uint8_t> bytes, std::string extension,
                                bool holdsFormat);
    static CPayloadFile Owning(std::vector<std::uint8_t> bytes, std::string extension);

private:
    std::span<const std::uint8_t> view_;
    std::vector<std::uint8_t> made_;
    bool owned_ = false;
    std::string extension_;
    bool holdsFormat_ = true;
};

// Whether the item's payload goes to a file: every sound and binary file,
// and pictures (not regions or empty bitmaps, which have none).
bool HasPayloadFile(int kind, const CVKT_Resource& item);

// Only for an item HasPayloadFile accepts.
CPayloadFile PayloadFileOf(int kind, const CVKT_Resource& item);

}  // namespace plexion::tool
