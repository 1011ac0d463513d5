#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document_change.h"
#include "edit_step.h"
#include "resource_group.h"

namespace plexion {

class CVKT_ResourceContainer;

// Records one step while it is open: the state of each item before it is
// first handed out for changing, the order of each group before its first
// insert, delete or move, the items the groups let go, and the document's
// name and comments. Closing compares with the state then and keeps only
// what differs.
class CEditRecorder final : private IGroupObserver {
public:
    explicit CEditRecorder(CVKT_ResourceContainer& container);
    CEditRecorder(const CEditRecorder&) = delete;
    CEditRecorder& operator=(const CEditRecorder&) = delete;
    ~CEditRecorder();

    bool IsOpen() const { return step_ != nullptr; }
    void Open(std::string label);
    // The step, or null when nothing differs from the state at Open.
    std::unique_ptr<CEditStep> Close();
    // Puts everything back as it was at Open; what that changed.
    CDocumentChange Cancel();

private:
    void ItemWillChange(const CVKT_ResourceGroup& group, const CVKT_Resource& item,
                        int index) override;
    void GroupWillReshape(const CVKT_ResourceGroup& group) override;
    void ItemAdded(const CVKT_ResourceGroup& group, const CVKT_Resource& item) override;
    void Retire(std::unique_ptr<CVKT_Resource> item) override;
    int KindOf(const CVKT_ResourceGroup& group) const;
    void Observe(bool observe);
    void FinishGroups();
    // The memory the kept states hold.
    std::size_t FinishItems();
    void FinishFields();
    void DropUnreferencedItems();
    bool StepIsEmpty() const;

    CVKT_ResourceContainer& container_;
    std::unique_ptr<CEditStep> step_;
    // Items handed out since Open carry newer revisions: they are recorded.
    std::uint64_t openRevision_ = 0;
    std::unordered_set<const CVKT_Resource*> added_;
    std::array<bool, kKindCount> groupRecorded_{};
};

}  // namespace plexion
