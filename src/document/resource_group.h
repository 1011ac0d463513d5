#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resource.h"

namespace plexion {

class CArchive;

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
    int Count() const { return static_cast<int>(items_.size()); }
    int Add(std::unique_ptr<CVKT_Resource> item);
    int Move(int from, int to);
    int Find(std::string_view id) const;
    CVKT_Resource* GetAt(int index) const;
    int RemoveAt(int index);

    const std::string& Tag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }

private:
    void ReadItems(CArchive& archive, const CVKT_Resource& prototype);

    std::string tag_ = "VKTNOTYPE";
    std::vector<std::unique_ptr<CVKT_Resource>> items_;
};

}  // namespace plexion
