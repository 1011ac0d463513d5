#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace plexion {

class CVKT_Resource;
class CVKT_ResourceContainer;

// The stored form of a whole document in pieces, to be written by another
// thread while editing goes on.
struct CDocumentSnapshot {
    using Piece = std::shared_ptr<const std::vector<std::uint8_t>>;
    std::vector<Piece> pieces;

    std::uint64_t Size() const;
    // Writes the pieces to `path` as a save would write the document,
    // replacing the file only once the new one is complete.
    bool Save(const std::string& path, std::string& error) const;
};

// Takes a snapshot on the thread that edits the document, a slice at a time
// so that the thread never stalls: each item's stored form is kept with the
// item's revision and made again only when the item changed since.
class CSnapshotBuilder {
public:
    explicit CSnapshotBuilder(const CVKT_ResourceContainer& container) : container_(container) {}

    // Makes the stored form of items that have none or an old one, until
    // `budget` is spent; true when a walk over the whole document is done.
    bool Advance(std::chrono::steady_clock::duration budget);
    // The document as it is now, when every item's stored form is current;
    // nullopt when an edit came in between (Advance again). A snapshot
    // taken lets go of the stored forms of items no longer in the document.
    std::optional<CDocumentSnapshot> Take();

private:
    struct CStored {
        std::uint64_t revision = 0;
        CDocumentSnapshot::Piece bytes;
    };

    const CVKT_ResourceContainer& container_;
    std::unordered_map<const CVKT_Resource*, CStored> stored_;
    int kind_ = 0;
    int index_ = 0;
};

}  // namespace plexion
