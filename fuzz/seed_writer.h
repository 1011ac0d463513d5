#pragma once

#include <filesystem>
#include <functional>

namespace plexion {
class CArchive;
class CVKT_ResourceContainer;
}  // namespace plexion

namespace plexion_fuzz {

// A seed is the fuzz target's input: one byte with the answer to the
// old-version question (1: Yes, 0: No), then the document's bytes.

// The document as the container saves it.
void WriteSavedSeed(plexion::CVKT_ResourceContainer& document, const std::filesystem::path& file,
                    bool answerYes = false);

// A document composed record by record, for layouts the saver never makes.
void WriteComposedSeed(const std::filesystem::path& file, bool answerYes,
                       const std::function<void(plexion::CArchive&)>& compose);

}  // namespace plexion_fuzz
