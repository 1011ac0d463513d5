#include "edit_step.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "edit_step_indexes.h"
#include "resource_container.h"

namespace plexion {

CEditStep::~CEditStep() = default;

CDocumentChange CEditStep::Undo(CVKT_ResourceContainer& container) {
    return Apply(container, true);
}

CDocumentChange CEditStep::Redo(CVKT_ResourceContainer& container) {
    return Apply(container, false);
}

void CEditStep::Reorder(CVKT_ResourceContainer& container, bool undo) {
    if (groups_.empty()) {
        return;
    }
    std::unordered_map<const CVKT_Resource*, std::unique_ptr<CVKT_Resource>> loose;
    for (auto& item : detached_) {
        loose.emplace(item.get(), std::move(item));
    }
    detached_.clear();
    for (const GroupRecord& record : groups_) {
        for (auto& item : container.GroupAt(record.kind)->TakeItems()) {
            loose.emplace(item.get(), std::move(item));
        }
    }
    for (const GroupRecord& record : groups_) {
        const std::vector<CVKT_Resource*>& order = undo ? record.before : record.after;
        std::vector<std::unique_ptr<CVKT_Resource>> items;
        items.reserve(order.size());
        for (CVKT_Resource* item : order) {
            auto found = loose.find(item);
            items.push_back(std::move(found->second));
            loose.erase(found);
        }
        container.GroupAt(record.kind)->SetItems(std::move(items));
    }
    for (auto& [pointer, item] : loose) {
        detached_.push_back(std::move(item));
    }
}

CDocumentChange CEditStep::Apply(CVKT_ResourceContainer& container, bool undo) {
    Reorder(container, undo);
    for (const ItemRecord& record : items_) {
        record.item->MarkChanging();
        record.item->ExchangeState(*record.state);
    }
    if (fieldsChanged_) {
        const Fields& fields = undo ? fieldsBefore_ : fieldsAfter_;
        container.SetName(fields.name);
        container.SetComments(fields.comments);
    }
    CountBytes(StateBytes());
    return Describe(container);
}

std::size_t CEditStep::StateBytes() const {
    std::size_t bytes = 0;
    for (const ItemRecord& record : items_) {
        bytes += record.state->Bytes();
    }
    return bytes;
}

void CEditStep::CountBytes(std::size_t stateBytes) {
    std::size_t bytes = fieldsBefore_.name.size() + fieldsBefore_.comments.size() +
                        fieldsAfter_.name.size() + fieldsAfter_.comments.size();
    // States of items that turned out unchanged leave their room behind.
    bytes += std::max(stateBytes, memory_.Bytes());
    for (const GroupRecord& record : groups_) {
        bytes += (record.before.size() + record.after.size()) * sizeof(CVKT_Resource*);
    }
    for (const auto& item : detached_) {
        bytes += static_cast<std::size_t>(item->StoredSize());
    }
    bytes_ = bytes;
}

CDocumentChange CEditStep::Describe(const CVKT_ResourceContainer& container) const {
    CDocumentChange change;
    for (const GroupRecord& record : groups_) {
        change.reshaped[record.kind] = true;
    }
    std::array<std::vector<SPlacedItem>, kKindCount> changed;
    std::array<std::size_t, kKindCount> counts{};
    for (const ItemRecord& record : items_) {
        ++counts[record.kind];
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        changed[kind].reserve(change.reshaped[kind] ? 0 : counts[kind]);
    }
    for (const ItemRecord& record : items_) {
        if (!change.reshaped[record.kind]) {
            changed[record.kind].push_back({record.item, record.index});
        }
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (!changed[kind].empty()) {
            change.items[kind] = IndexesOf(*container.GroupAt(kind), changed[kind]);
        }
    }
    change.documentFields = fieldsChanged_;
    return change;
}

std::string ItemsLabel(const std::string& verb, std::size_t count) {
    return count == 1 ? verb + " Item" : verb + " " + std::to_string(count) + " Items";
}

}  // namespace plexion

namespace plexion {
namespace {

// Item pointers in one block, looked up by open addressing: an edit of every
// item of a large group is described without an allocation per item.
class CItemPointerSet {
public:
    explicit CItemPointerSet(const std::vector<const CVKT_Resource*>& items) {
        std::size_t capacity = 16;
        while (capacity < items.size() * 2) {
            capacity *= 2;
            ++bits_;
        }
        slots_.assign(capacity, nullptr);
        for (const CVKT_Resource* item : items) {
            std::size_t slot = SlotOf(item);
            while (slots_[slot] != nullptr && slots_[slot] != item) {
                slot = (slot + 1) & (capacity - 1);
            }
            slots_[slot] = item;
        }
    }

    bool Contains(const CVKT_Resource* item) const {
        for (std::size_t slot = SlotOf(item); slots_[slot] != nullptr;
             slot = (slot + 1) & (slots_.size() - 1)) {
            if (slots_[slot] == item) {
                return true;
            }
        }
        return false;
    }

private:
    // Fibonacci hashing: the high bits of the product mix all of the
    // pointer's bits, also its low ones, which allocation alignment fixes.
    std::size_t SlotOf(const CVKT_Resource* item) const {
        constexpr std::uint64_t kGoldenRatio = 0x9E3779B97F4A7C15ULL;
        return static_cast<std::size_t>(
            (reinterpret_cast<std::uintptr_t>(item) * kGoldenRatio) >> (64 - bits_));
    }

    int bits_ = 4;
    std::vector<const CVKT_Resource*> slots_;
};

}  // namespace

std::vector<int> IndexesOf(const CVKT_ResourceGroup& group, const std::vector<SPlacedItem>& items) {
    // A few moved items are looked for one by one; many in one walk.
    constexpr std::size_t kFewItems = 8;
    const auto& all = group.Items();
    std::vector<int> indexes;
    indexes.reserve(items.size());
    std::vector<const CVKT_Resource*> moved;
    for (const SPlacedItem& placed : items) {
        const auto at = static_cast<std::size_t>(placed.expectedIndex);
        if (placed.expectedIndex >= 0 && at < all.size() && all[at].get() == placed.item) {
            indexes.push_back(placed.expectedIndex);
        } else {
            moved.push_back(placed.item);
        }
    }
    if (moved.size() <= kFewItems) {
        for (const CVKT_Resource* item : moved) {
            const auto found = std::find_if(all.begin(), all.end(),
                                            [item](const auto& held) { return held.get() == item; });
            if (found != all.end()) {
                indexes.push_back(static_cast<int>(found - all.begin()));
            }
        }
    } else {
        const CItemPointerSet wanted(moved);
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (wanted.Contains(all[i].get())) {
                indexes.push_back(static_cast<int>(i));
            }
        }
    }
    // Items are mostly recorded in the order of their group.
    if (!std::is_sorted(indexes.begin(), indexes.end())) {
        std::sort(indexes.begin(), indexes.end());
    }
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

}  // namespace plexion
