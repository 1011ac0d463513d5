#include "resource_group.h"

#include <utility>

#include "archive.h"

namespace plexion {
namespace {

// The smallest stored item: three header words and two empty texts.
constexpr std::uint64_t kSmallestItemBytes = 14;

}  // namespace

void CVKT_ResourceGroup::WillReshape() {
    if (observer_ != nullptr) {
        observer_->GroupWillReshape(*this);
    }
}

int CVKT_ResourceGroup::RemoveAll() {
    WillReshape();
    if (observer_ != nullptr) {
        for (auto& item : items_) {
            observer_->Retire(std::move(item));
        }
    }
    items_.clear();
    items_.shrink_to_fit();
    return 1;
}

int CVKT_ResourceGroup::Add(std::unique_ptr<CVKT_Resource> item) {
    if (!item) {
        return -1;
    }
    WillReshape();
    if (observer_ != nullptr) {
        observer_->ItemAdded(*this, *item);
    }
    items_.push_back(std::move(item));
    return Count() - 1;
}

int CVKT_ResourceGroup::Move(int from, int to) {
    if (from == to) {
        return 1;
    }
    if (from < 0 || from >= Count() || to < 0 || to >= Count()) {
        return 0;
    }
    WillReshape();
    auto item = std::move(items_[from]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    return 1;
}

int CVKT_ResourceGroup::Find(std::string_view id) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[i]->ID() == id) {
            return i;
        }
    }
    return -1;
}

const CVKT_Resource* CVKT_ResourceGroup::GetAt(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return items_[index].get();
}

CVKT_Resource* CVKT_ResourceGroup::GetAt(int index) {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    if (observer_ != nullptr) {
        observer_->ItemWillChange(*this, *items_[index], index);
    }
    items_[index]->MarkChanging();
    return items_[index].get();
}

int CVKT_ResourceGroup::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return 0;
    }
    WillReshape();
    if (observer_ != nullptr) {
        observer_->Retire(std::move(items_[index]));
    }
    items_.erase(items_.begin() + index);
    return 1;
}

std::vector<std::unique_ptr<CVKT_Resource>> CVKT_ResourceGroup::TakeItems() {
    return std::exchange(items_, {});
}

void CVKT_ResourceGroup::SetItems(std::vector<std::unique_ptr<CVKT_Resource>> items) {
    items_ = std::move(items);
}

int CVKT_ResourceGroup::Serialize(CArchive& archive, const CVKT_Resource& prototype) {
    if (archive.IsStoring()) {
        WriteChunkHeader(archive);
        for (const auto& item : items_) {
            item->Serialize(archive);
        }
        return 1;
    }
    const std::uint64_t start = archive.Tell();
    // The length alone tells most foreign tags apart, so a damaged chunk
    // claiming a huge tag is not read once per group.
    const std::uint32_t length = archive.ReadStringLength();
    archive.CheckClaim(length);
    archive.Seek(start);
    if (length != tag_.size() || prototype.Unscramble(archive.ReadString()) != tag_) {
        archive.Seek(start);
        return 0;
    }
    RemoveAll();
    ReadItems(archive, prototype);
    return 1;
}

void CVKT_ResourceGroup::WriteChunkHeader(CArchive& archive) const {
    archive.WriteScrambledString(tag_);
    archive.WriteInt32(0);
    archive.WriteInt32(1);
    archive.WriteInt32(0);
    archive.WriteInt32(Count());
}

void CVKT_ResourceGroup::ReadItems(CArchive& archive, const CVKT_Resource& prototype) {
    archive.Skip(12);
    const std::int32_t count = archive.ReadInt32();
    archive.CheckClaim(count, kSmallestItemBytes);
    for (std::int32_t i = 0; i < count; ++i) {
        const int index = prototype.CreateAndAdd(*this);
        if (index < 0) {
            throw CArchiveError(CArchiveError::Reason::Oversized, "an item cannot be allocated");
        }
        try {
            items_[index]->Serialize(archive);
        } catch (...) {
            // A half-read item is not kept; the complete ones before it are.
            RemoveAt(index);
            throw;
        }
    }
}

}  // namespace plexion
