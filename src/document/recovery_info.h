#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "file_stamp.h"

namespace plexion {

// What a recovery copy is a copy of, kept beside it as a small text file.
struct SRecoveryInfo {
    // The document's file; empty for one never saved.
    std::string originalPath;
    // The name its window showed ("game.dat", "Plexio2").
    std::string title;
    // When the copy was written, in seconds since the epoch.
    std::int64_t writtenAt = 0;
    // The original file as the document last read or wrote it, so that a
    // recovered document still notices a change made to it meanwhile.
    std::optional<SFileStamp> originalStamp;
};

std::string EncodeRecoveryInfo(const SRecoveryInfo& info);
// nullopt for a text that is not a whole recovery info.
std::optional<SRecoveryInfo> DecodeRecoveryInfo(const std::string& text);

}  // namespace plexion
