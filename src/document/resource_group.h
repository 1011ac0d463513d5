#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resource.h"

namespace plexion {

class CArchive;
class CVKT_ResourceGroup;

// Watches a group while an edit is recorded: it hears of every item handed
// out for changing and of every change to the group's order or membership
// before it happens, and takes the items the group lets go, so that the
// edit can be undone into the same objects.
class IGroupObserver {
public:
    // `index` is where the item stands in `group`.
    virtual void ItemWillChange(const CVKT_ResourceGroup& group, const CVKT_Resource& item,
                                int index) = 0;
    virtual void GroupWillReshape(const CVKT_ResourceGroup& group) = 0;
    virtual void ItemAdded(const CVKT_ResourceGroup& group, const CVKT_Resource& item) = 0;
    virtual void Retire(std::unique_ptr<CVKT_Resource> item) = 0;

protected:
    ~IGroupObserver() = default;
};

// The ordered, owning list of the items of one kind, tagged by its chunk tag.
class CVKT_ResourceGroup {
public:
    CVKT_ResourceGroup() = default;
    CVKT_ResourceGroup(const CVKT_ResourceGroup&) = delete;
    CVKT_ResourceGroup& operator=(const CVKT_ResourceGroup&) = delete;

    int RemoveAll();
    // Exchanges the items with those of `other` (a group of the same kind).
    void SwapItems(CVKT_ResourceGroup& other) { items_.swap(other.items_); }
    // Writes the group's chunk, or tries to read one at the current position:
    // 0 (and the position restored) when the chunk belongs to another group.
    int Serialize(CArchive& archive, const CVKT_Resource& prototype);
    // What the stored chunk holds before its items.
    void WriteChunkHeader(CArchive& archive) const;
    int Count() const { return static_cast<int>(items_.size()); }
    int Add(std::unique_ptr<CVKT_Resource> item);
    int Move(int from, int to);
    int Find(std::string_view id) const;
    const CVKT_Resource* GetAt(int index) const;
    // The item for changing: an observer hears of it first.
    CVKT_Resource* GetAt(int index);
    int RemoveAt(int index);

    // The items in order, without telling an observer: for reading, and for
    // putting a recorded order back.
    const std::vector<std::unique_ptr<CVKT_Resource>>& Items() const { return items_; }
    std::vector<std::unique_ptr<CVKT_Resource>> TakeItems();
    void SetItems(std::vector<std::unique_ptr<CVKT_Resource>> items);
    void SetObserver(IGroupObserver* observer) { observer_ = observer; }

    const std::string& Tag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }

private:
    void ReadItems(CArchive& archive, const CVKT_Resource& prototype);
    void WillReshape();

    std::string tag_ = "VKTNOTYPE";
    std::vector<std::unique_ptr<CVKT_Resource>> items_;
    IGroupObserver* observer_ = nullptr;
};

}  // namespace plexion
