#include "document_snapshot.h"

#include "archive.h"
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
        size += piece->size();
    }
    return size;
}

bool CDocumentSnapshot::Save(const std::string& path, std::string& error) const {
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

bool CSnapshotBuilder::Advance(std::chrono::steady_clock::duration budget) {
    const auto end = std::chrono::steady_clock::now() + budget;
    for (; kind_ < kKindCount; ++kind_, index_ = 0) {
        const auto& items = container_.GroupAt(kind_)->Items();
        for (; index_ < static_cast<int>(items.size()); ++index_) {
            const CVKT_Resource& item = *items[index_];
            CStored& stored = stored_[&item];
            if (stored.bytes && stored.revision == item.Revision()) {
                continue;
            }
            stored.revision = item.Revision();
            stored.bytes = std::make_shared<const std::vector<std::uint8_t>>(item.StoredBytes());
            if (std::chrono::steady_clock::now() >= end) {
                ++index_;
                return false;
            }
        }
    }
    kind_ = 0;
    index_ = 0;
    return true;
}

std::optional<CDocumentSnapshot> CSnapshotBuilder::Take() {
    CDocumentSnapshot snapshot;
    std::unordered_map<const CVKT_Resource*, CStored> kept;
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
            const auto found = stored_.find(item.get());
            if (found == stored_.end() || found->second.revision != item->Revision()) {
                return std::nullopt;
            }
            snapshot.pieces.push_back(found->second.bytes);
            kept.insert(*found);
        }
    }
    stored_ = std::move(kept);
    return snapshot;
}

}  // namespace plexion
