#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "state_memory.h"

namespace plexion {

class CArchive;
class CVKT_ResourceGroup;

// Everything an item holds, kept aside so that it can be exchanged with
// what the same item holds later (undo and redo).
class CItemState {
public:
    virtual ~CItemState() = default;
    // The memory the state holds, roughly.
    virtual std::size_t Bytes() const = 0;
};

using CItemStatePtr = StatePtr<CItemState>;

// The state of an item whose stored form holds all it has: its own bytes.
class CStoredItemState final : public CItemState {
public:
    explicit CStoredItemState(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::size_t Bytes() const override { return bytes_.size(); }
    std::vector<std::uint8_t>& StoredBytes() { return bytes_; }
    const std::vector<std::uint8_t>& StoredBytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// The fields every item has, kept as they are: the base of the states of
// kinds that keep their fields rather than their stored bytes.
class CResourceState : public CItemState {
public:
    explicit CResourceState(CStateMemory& memory) : memory(memory) {}
    std::size_t Bytes() const override { return sizeof(*this) + id.Size() + comments.Size(); }

    // Where the state keeps its texts, and makes any other state it holds.
    CStateMemory& memory;
    CKeptBytes id;
    CKeptBytes comments;
};

// The base of every resource kind: an ID and a comments text. IDs need not be
// unique; lookups return the first match.
class CVKT_Resource {
public:
    CVKT_Resource();
    CVKT_Resource(const CVKT_Resource&) = delete;
    CVKT_Resource& operator=(const CVKT_Resource&) = delete;
    virtual ~CVKT_Resource() = default;

    // Appends a new default item of the receiver's kind to `group`; the new
    // index, or -1 when it cannot be allocated.
    int CreateAndAdd(CVKT_ResourceGroup& group) const;

    // Reads or writes the common item header; kinds add their payload after
    // calling this. Reading throws CArchiveError on damaged input.
    virtual int Serialize(CArchive& archive);

    int SetComments(std::string comments);
    int SetID(std::string id);
    std::string GetID() const { return id_; }
    std::string GetComments() const { return comments_; }
    const std::string& ID() const { return id_; }
    const std::string& Comments() const { return comments_; }

    std::string Unscramble(std::string text) const;
    std::string Scramble(std::string text) const;

    // What the item's panel shows under "Specifications".
    virtual std::string Specifications() const { return {}; }
    // Drops data kept only to be written again (a bitmap's source bytes).
    virtual void ReleaseSourceData() {}
    // What the last read found wrong in the item's own data and mended by
    // keeping what the data really held, naming the item; empty when it read
    // whole. The load reports it as damage.
    virtual std::string ReadDamage() const { return {}; }

    // The item's stored bytes by default; a kind that holds more than it
    // stores keeps more. The state and what it keeps live in `memory`.
    virtual CItemStatePtr SaveState(CStateMemory& memory) const;
    // Whether the item holds what `state`, taken from it, kept.
    virtual bool Holds(const CItemState& state) const;
    // Puts `state`, taken from this item, back and keeps what the item held
    // in its place: a second exchange undoes the first, and an undo step
    // keeps one state of each item instead of one before and one after.
    virtual void ExchangeState(CItemState& state);
    // A number that changes whenever the item may change (it is handed out
    // for changing or a state is put back) and is never given to another
    // item or state, so a copy of the stored form can tell it is current.
    std::uint64_t Revision() const { return revision_; }
    void MarkChanging();
    // The newest revision given to any item so far: an item with a newer
    // one was made or handed out for changing since.
    static std::uint64_t LatestRevision();

    // The item as the file stores it, and its length.
    std::vector<std::uint8_t> StoredBytes() const;
    std::uint64_t StoredSize() const;

protected:
    virtual std::unique_ptr<CVKT_Resource> NewOfSameKind() const;

    // The ID and comments, for the states of kinds.
    void SaveResourceFields(CResourceState& state) const;
    bool HoldsResourceFields(const CResourceState& state) const;
    void ExchangeResourceFields(CResourceState& state);

private:
    std::string id_;
    std::string comments_;
    std::uint64_t revision_;
};

}  // namespace plexion
