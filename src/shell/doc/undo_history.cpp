#include "undo_history.h"

#include <QRunnable>
#include <QThreadPool>
#include <QUndoCommand>

#include "plexion_doc_core.h"

namespace plexion {
namespace {

// Lets a forgotten step go on a worker thread: the oldest step of a large
// history may hold the states of a whole large document, and the edit
// that made room for a new one should not wait for them to go. Nothing
// else holds a forgotten step.
class CStepDisposal final : public QRunnable {
public:
    explicit CStepDisposal(std::unique_ptr<CEditStep> step) : step_(std::move(step)) {}
    void run() override { step_.reset(); }

private:
    std::unique_ptr<CEditStep> step_;
};

// One step on the stack. It is pushed after the edit was made, so its first
// redo does nothing; a forgotten step has let its states go.
class CStepCommand final : public QUndoCommand {
public:
    CStepCommand(CPlexionDocCore& core, std::unique_ptr<CEditStep> step)
        : QUndoCommand(QString::fromStdString(step->Label())), core_(core), step_(std::move(step)) {}

    void undo() override {
        if (step_) {
            core_.Undo(*step_);
        }
    }
    void redo() override {
        if (std::exchange(applied_, false)) {
            return;
        }
        if (step_) {
            core_.Redo(*step_);
        }
    }
    bool Forgotten() const { return !step_; }
    std::size_t Bytes() const { return step_ ? step_->Bytes() : 0; }
    void Forget() { QThreadPool::globalInstance()->start(new CStepDisposal(std::move(step_))); }

private:
    CPlexionDocCore& core_;
    std::unique_ptr<CEditStep> step_;
    bool applied_ = true;
};

const CStepCommand* StepAt(const QUndoStack& stack, int index) {
    return static_cast<const CStepCommand*>(stack.command(index));
}

}  // namespace

CUndoHistory::CUndoHistory(CPlexionDocCore& core, QObject* parent)
    : QObject(parent), core_(core) {
    connect(&stack_, &QUndoStack::indexChanged, this, &CUndoHistory::changed);
}

void CUndoHistory::Push(std::unique_ptr<CEditStep> step) {
    stack_.push(new CStepCommand(core_, std::move(step)));
    KeepWithinLimit();
}

bool CUndoHistory::CanUndo() const {
    return stack_.canUndo() && !StepAt(stack_, stack_.index() - 1)->Forgotten();
}

void CUndoHistory::Undo() {
    if (CanUndo()) {
        stack_.undo();
    }
}

void CUndoHistory::Redo() {
    if (CanRedo()) {
        stack_.redo();
    }
}

void CUndoHistory::SetMemoryLimit(std::size_t bytes) {
    limit_ = bytes;
    KeepWithinLimit();
}

std::size_t CUndoHistory::Bytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < stack_.count(); ++i) {
        bytes += StepAt(stack_, i)->Bytes();
    }
    return bytes;
}

void CUndoHistory::KeepWithinLimit() {
    std::size_t bytes = Bytes();
    // The last step done can always be undone, whatever it holds.
    const int newest = stack_.index() - 1;
    for (int i = 0; i < newest && bytes > limit_; ++i) {
        auto* step = const_cast<CStepCommand*>(StepAt(stack_, i));
        bytes -= step->Bytes();
        step->Forget();
    }
    emit changed();
}

}  // namespace plexion
