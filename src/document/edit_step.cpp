#include "edit_step.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

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
        const CItemState* state = undo ? record.before.get() : record.after.get();
        if (state != nullptr) {
            record.item->MarkChanging();
            record.item->RestoreState(*state);
        }
    }
    if (fieldsChanged_) {
        const Fields& fields = undo ? fieldsBefore_ : fieldsAfter_;
        container.SetName(fields.name);
        container.SetComments(fields.comments);
    }
    return Describe(container);
}

CDocumentChange CEditStep::Describe(const CVKT_ResourceContainer& container) const {
    CDocumentChange change;
    for (const GroupRecord& record : groups_) {
        change.reshaped[record.kind] = true;
    }
    std::array<std::vector<const CVKT_Resource*>, kKindCount> changed;
    for (const ItemRecord& record : items_) {
        if (!change.reshaped[record.kind]) {
            changed[record.kind].push_back(record.item);
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

std::vector<int> IndexesOf(const CVKT_ResourceGroup& group,
                           const std::vector<const CVKT_Resource*>& items) {
    // A few items are looked for one by one; many in one walk of the group.
    constexpr std::size_t kFewItems = 8;
    const auto& all = group.Items();
    std::vector<int> indexes;
    if (items.size() <= kFewItems) {
        for (const CVKT_Resource* item : items) {
            const auto found = std::find_if(all.begin(), all.end(),
                                            [item](const auto& held) { return held.get() == item; });
            if (found != all.end()) {
                indexes.push_back(static_cast<int>(found - all.begin()));
            }
        }
    } else {
        const std::unordered_set<const CVKT_Resource*> wanted(items.begin(), items.end());
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (wanted.contains(all[i].get())) {
                indexes.push_back(static_cast<int>(i));
            }
        }
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return indexes;
}

}  // namespace plexion
