#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace plexion {

class CEditGate;
class CVKT_Resource;
class CVKT_ResourceContainer;

// The stored form of a whole document in pieces, to be written by another
// thread while editing goes on.
struct CDocumentSnapshot {
    using Piece = std::shared_ptr<const std::vector<std::uint8_t>>;
    // An item whose stored form is still to be made, from the item itself.
    struct CPending {
        std::size_t piece = 0;
        const CVKT_Resource* item = nullptr;
        std::uint64_t revision = 0;
    };

    // Null where an item's stored form is still to be made.
    std::vector<Piece> pieces;
    std::vector<CPending> pending;
    // The document's gate and its count of changes when the snapshot was
    // taken: the pending items are what they were then while it holds.
    CEditGate* gate = nullptr;
    std::uint64_t changes = 0;

    // Makes the pending stored forms on any thread, an item at a time under
    // the gate, between edits; false as soon as an edit came in since the
    // snapshot was taken (the forms made until then stay made).
    bool Complete();
    std::uint64_t Size() const;
    // Writes the pieces of a complete snapshot to `path` as a save would
    // write the document, replacing the file only once the new one is
    // complete.
    bool Save(const std::string& path, std::string& error) const;
};

// Takes snapshots on the thread that edits the document. Taking one costs
// a look at each item: the stored form of an item is kept with the item's
// revision and made again, by the snapshot's Complete, only when the item
// changed since, so that no large item holds up the editing thread.
class CSnapshotBuilder {
public:
    CSnapshotBuilder(const CVKT_ResourceContainer& container, CEditGate& gate)
        : container_(container), gate_(gate) {}

    // The document as it is now; the stored forms it lacks are pending.
    // Lets go of the stored forms of items no longer in the document.
    CDocumentSnapshot Take();
    // Keeps the stored forms `snapshot` made for the next snapshots.
    void Keep(const CDocumentSnapshot& snapshot);

private:
    struct CStored {
        std::uint64_t revision = 0;
        CDocumentSnapshot::Piece bytes;
        std::uint64_t taken = 0;
    };

    const CVKT_ResourceContainer& container_;
    CEditGate& gate_;
    std::unordered_map<const CVKT_Resource*, CStored> stored_;
    std::uint64_t takes_ = 0;
};

}  // namespace plexion
