#include "resource.h"

#include <atomic>
#include <new>
#include <string_view>

#include "archive.h"
#include "resource_group.h"
#include "scramble.h"

namespace plexion {

namespace {

std::atomic<std::uint64_t> lastRevision{0};

std::uint64_t NextRevision() {
    return ++lastRevision;
}

}  // namespace

CVKT_Resource::CVKT_Resource() : revision_(NextRevision()) {}

std::uint64_t CVKT_Resource::LatestRevision() {
    return lastRevision.load();
}

void CVKT_Resource::MarkChanging() {
    revision_ = NextRevision();
}

int CVKT_Resource::CreateAndAdd(CVKT_ResourceGroup& group) const {
    try {
        return group.Add(NewOfSameKind());
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

std::unique_ptr<CVKT_Resource> CVKT_Resource::NewOfSameKind() const {
    return std::make_unique<CVKT_Resource>();
}

int CVKT_Resource::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(0);
        archive.WriteScrambledString(id_);
        archive.WriteScrambledString(comments_);
    } else {
        archive.Skip(12);
        SetID(archive.ReadScrambledString());
        SetComments(archive.ReadScrambledString());
    }
    return 1;
}

int CVKT_Resource::SetComments(std::string comments) {
    comments_ = std::move(comments);
    return 1;
}

int CVKT_Resource::SetID(std::string id) {
    id_ = std::move(id);
    return 1;
}

std::vector<std::uint8_t> CVKT_Resource::StoredBytes() const {
    std::vector<std::uint8_t> bytes;
    CArchive archive = CArchive::WriterToMemory(bytes);
    // Writing leaves the item as it is; Serialize is one operation for both
    // directions, hence not const.
    const_cast<CVKT_Resource*>(this)->Serialize(archive);
    archive.Flush();
    return bytes;
}

std::uint64_t CVKT_Resource::StoredSize() const {
    CArchive archive = CArchive::Counter();
    const_cast<CVKT_Resource*>(this)->Serialize(archive);
    archive.Flush();
    return archive.BytesWritten();
}

CItemStatePtr CVKT_Resource::SaveState(CStateMemory& memory) const {
    return MakeState<CStoredItemState>(memory, StoredBytes());
}

bool CVKT_Resource::Holds(const CItemState& state) const {
    return dynamic_cast<const CStoredItemState&>(state).StoredBytes() == StoredBytes();
}

void CVKT_Resource::ExchangeState(CItemState& state) {
    auto& stored = dynamic_cast<CStoredItemState&>(state);
    std::vector<std::uint8_t> held = StoredBytes();
    {
        CArchive archive = CArchive::ReaderOf(stored.StoredBytes());
        Serialize(archive);
    }
    stored.StoredBytes() = std::move(held);
}

void CVKT_Resource::SaveResourceFields(CResourceState& state) const {
    state.id.Assign(state.memory, id_);
    state.comments.Assign(state.memory, comments_);
}

bool CVKT_Resource::HoldsResourceFields(const CResourceState& state) const {
    return std::string_view(id_) == state.id.View() &&
           std::string_view(comments_) == state.comments.View();
}

void CVKT_Resource::ExchangeResourceFields(CResourceState& state) {
    ExchangeKept(state.memory, id_, state.id);
    ExchangeKept(state.memory, comments_, state.comments);
}

std::string CVKT_Resource::Unscramble(std::string text) const {
    return UnscrambleText(std::move(text));
}
std::string CVKT_Resource::Scramble(std::string text) const {
    return ScrambleText(std::move(text));
}

}  // namespace plexion
