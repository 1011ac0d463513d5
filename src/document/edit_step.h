#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "document_change.h"
#include "resource.h"

namespace plexion {

class CVKT_ResourceContainer;

// One undoable user action: the items it changed, each with the one state
// it does not hold now (before the step while it is done, after it while it
// is undone), the groups it reshaped with their order before and after, and
// the items that are out of the document in the state the document is in.
// Undo and redo exchange the states with the same item objects, so whatever
// points at an item stays valid.
class CEditStep {
public:
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;
    ~CEditStep();

    const std::string& Label() const { return label_; }
    // The memory the step keeps now, roughly: what its states hold changes
    // with each undo and redo.
    std::size_t Bytes() const { return bytes_; }

    CDocumentChange Undo(CVKT_ResourceContainer& container);
    CDocumentChange Redo(CVKT_ResourceContainer& container);
    // What the step changes, with indexes as they are in `container` now.
    CDocumentChange Describe(const CVKT_ResourceContainer& container) const;

private:
    friend class CEditRecorder;

    // The two numbers side by side: a large step keeps a record for each
    // item it changed.
    struct ItemRecord {
        CVKT_Resource* item = nullptr;
        CItemStatePtr state;
        int kind = 0;
        // Where the group handed the item out.
        int index = -1;
    };
    struct GroupRecord {
        int kind = 0;
        std::vector<CVKT_Resource*> before;
        std::vector<CVKT_Resource*> after;
    };
    struct Fields {
        std::string name;
        std::string comments;
    };

    explicit CEditStep(std::string label) : label_(std::move(label)) {}
    CDocumentChange Apply(CVKT_ResourceContainer& container, bool undo);
    void Reorder(CVKT_ResourceContainer& container, bool undo);
    std::size_t StateBytes() const;
    void CountBytes(std::size_t stateBytes);

    std::string label_;
    // Before the records, so the states go before the memory they live in.
    CStateMemory memory_;
    std::vector<ItemRecord> items_;
    std::vector<GroupRecord> groups_;
    std::vector<std::unique_ptr<CVKT_Resource>> detached_;
    bool fieldsChanged_ = false;
    Fields fieldsBefore_;
    Fields fieldsAfter_;
    std::size_t bytes_ = 0;
};

// "Delete 3 Items", "Delete Item".
std::string ItemsLabel(const std::string& verb, std::size_t count);

}  // namespace plexion
