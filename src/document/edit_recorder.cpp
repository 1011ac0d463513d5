#include "edit_recorder.h"

#include <algorithm>

#include "resource_container.h"

namespace plexion {

CEditRecorder::CEditRecorder(CVKT_ResourceContainer& container) : container_(container) {}

CEditRecorder::~CEditRecorder() {
    if (IsOpen()) {
        Observe(false);
    }
}

void CEditRecorder::Observe(bool observe) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        container_.GroupAt(kind)->SetObserver(observe ? this : nullptr);
    }
}

int CEditRecorder::KindOf(const CVKT_ResourceGroup& group) const {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (container_.GroupAt(kind) == &group) {
            return kind;
        }
    }
    return -1;
}

void CEditRecorder::Open(std::string label) {
    step_.reset(new CEditStep(std::move(label)));
    openRevision_ = CVKT_Resource::LatestRevision();
    // A new set, not a cleared one: clearing walks every bucket the largest
    // step ever needed, on each later step.
    added_ = decltype(added_)();
    groupRecorded_.fill(false);
    step_->fieldsBefore_ = {container_.GetName(), container_.GetComments()};
    Observe(true);
}

void CEditRecorder::ItemWillChange(const CVKT_ResourceGroup& group, const CVKT_Resource& item,
                                   int index) {
    // Most steps add nothing: the set is not hashed into then.
    if (item.Revision() > openRevision_ || (!added_.empty() && added_.contains(&item))) {
        return;
    }
    const int kind = KindOf(group);
    CEditStep::ItemRecord record;
    record.kind = kind;
    record.item = const_cast<CVKT_Resource*>(&item);
    record.index = index;
    record.state = item.SaveState(step_->memory_);
    step_->items_.push_back(std::move(record));
}

void CEditRecorder::GroupWillReshape(const CVKT_ResourceGroup& group) {
    const int kind = KindOf(group);
    if (groupRecorded_[kind]) {
        return;
    }
    groupRecorded_[kind] = true;
    CEditStep::GroupRecord record;
    record.kind = kind;
    record.before.reserve(group.Items().size());
    for (const auto& item : group.Items()) {
        record.before.push_back(item.get());
    }
    step_->groups_.push_back(std::move(record));
}

void CEditRecorder::ItemAdded(const CVKT_ResourceGroup&, const CVKT_Resource& item) {
    added_.insert(&item);
}

void CEditRecorder::Retire(std::unique_ptr<CVKT_Resource> item) {
    step_->detached_.push_back(std::move(item));
}

void CEditRecorder::FinishGroups() {
    auto& groups = step_->groups_;
    for (auto& record : groups) {
        for (const auto& item : container_.GroupAt(record.kind)->Items()) {
            record.after.push_back(item.get());
        }
    }
    std::erase_if(groups, [](const auto& record) { return record.before == record.after; });
}

std::size_t CEditRecorder::FinishItems() {
    // An item the step took out of the document keeps what it holds while
    // it is out, so it too needs its state only when it changed. The kept
    // states are counted in the same pass, while each is at hand.
    std::size_t keptBytes = 0;
    std::erase_if(step_->items_, [&keptBytes](const auto& record) {
        if (record.item->Holds(*record.state)) {
            return true;
        }
        keptBytes += record.state->Bytes();
        return false;
    });
    return keptBytes;
}

void CEditRecorder::DropUnreferencedItems() {
    // Items made and dropped again within the step are in neither state.
    std::unordered_set<const CVKT_Resource*> before;
    for (const auto& record : step_->groups_) {
        before.insert(record.before.begin(), record.before.end());
    }
    std::erase_if(step_->detached_, [&](const auto& item) { return !before.contains(item.get()); });
}

void CEditRecorder::FinishFields() {
    step_->fieldsAfter_ = {container_.GetName(), container_.GetComments()};
    step_->fieldsChanged_ = step_->fieldsAfter_.name != step_->fieldsBefore_.name ||
                            step_->fieldsAfter_.comments != step_->fieldsBefore_.comments;
}

bool CEditRecorder::StepIsEmpty() const {
    return step_->items_.empty() && step_->groups_.empty() && !step_->fieldsChanged_;
}

std::unique_ptr<CEditStep> CEditRecorder::Close() {
    Observe(false);
    FinishGroups();
    const std::size_t stateBytes = FinishItems();
    DropUnreferencedItems();
    FinishFields();
    if (StepIsEmpty()) {
        step_.reset();
        return nullptr;
    }
    std::unique_ptr<CEditStep> step = std::move(step_);
    step->CountBytes(stateBytes);
    return step;
}

CDocumentChange CEditRecorder::Cancel() {
    std::unique_ptr<CEditStep> step = Close();
    return step ? step->Undo(container_) : CDocumentChange{};
}

}  // namespace plexion
