#include "document_snapshot.h"

#include <algorithm>

#include "archive.h"
#include "edit_gate.h"
#include "format_constants.h"
#include "resource_container.h"
#include "safe_file_writer.h"

namespace plexion {
namespace {

template <typename Write>
CDocumentSnapshot::Piece PieceOf(const Write& write) {
    auto bytes = std::make_shared<std::vector<std::uint8_t>>();
    CArchive archive = CArchive::WriterToMemory(*bytes);
    write(archive);
    archive.Flush();
    return bytes;
}

}  // namespace

std::uint64_t CDocumentSnapshot::Size() const {
    std::uint64_t size = 0;
    for (const Piece& piece : pieces) {
        size += piece ? piece->size() : 0;
    }
    return size;
}

bool CDocumentSnapshot::Save(const std::string& path, std::string& error) const {
    if (std::ranges::any_of(pieces, [](const Piece& piece) { return !piece; })) {
        error = "cannot write \"" + path + "\": the document was not read whole";
        return false;
    }
    CSafeFileWriter file;
    if (!file.Open(path)) {
        error = file.Error();
        return false;
    }
    try {
        CArchive archive = CArchive::WriterTo(file.Descriptor());
        for (const Piece& piece : pieces) {
            archive.WriteRaw(piece->data(), piece->size());
        }
        archive.Flush();
    } catch (const CArchiveError& failure) {
        error = std::string("cannot write \"") + path + "\": " + failure.what();
        return false;
    }
    if (!file.Commit()) {
        error = file.Error();
        return false;
    }
    return true;
}

bool CDocumentSnapshot::Complete() {
    for (const CPending& item : pending) {
        Piece& piece = pieces[item.piece];
        if (piece) {
            continue;
        }
        if (!gate->ReadUnchangedSince(changes, [&] {
                piece = std::make_shared<const std::vector<std::uint8_t>>(item.item->StoredBytes());
            })) {
            return false;
        }
    }
    return true;
}

CDocumentSnapshot CSnapshotBuilder::Take() {
    ++takes_;
    CDocumentSnapshot snapshot;
    snapshot.gate = &gate_;
    snapshot.changes = gate_.Changes();
    snapshot.pieces.push_back(PieceOf([&](CArchive& a) { container_.WriteHeader(a); }));
    for (int kind = 0; kind < kKindCount; ++kind) {
        const CVKT_ResourceGroup& group = *container_.GroupAt(kind);
        if (group.Count() == 0) {
            continue;
        }
        snapshot.pieces.push_back(PieceOf([&](CArchive& a) {
            a.WriteString(std::string(format::kChunkSeparator));
            group.WriteChunkHeader(a);
        }));
        for (const auto& item : group.Items()) {
            CStored& stored = stored_[item.get()];
            if (stored.revision != item->Revision()) {
                stored.revision = item->Revision();
                stored.bytes.reset();
            }
            stored.taken = takes_;
            if (!stored.bytes) {
                snapshot.pending.push_back({snapshot.pieces.size(), item.get(), stored.revision});
            }
            snapshot.pieces.push_back(stored.bytes);
        }
    }
    std::erase_if(stored_, [this](const auto& entry) { return entry.second.taken != takes_; });
    return snapshot;
}

void CSnapshotBuilder::Keep(const CDocumentSnapshot& snapshot) {
    for (const CDocumentSnapshot::CPending& item : snapshot.pending) {
        const auto found = stored_.find(item.item);
        if (found != stored_.end() && found->second.revision == item.revision &&
            snapshot.pieces[item.piece]) {
            found->second.bytes = snapshot.pieces[item.piece];
        }
    }
}

}  // namespace plexion
