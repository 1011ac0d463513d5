#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <memory>

#include "edit_step.h"

namespace plexion {

class CPlexionDocCore;

// The undo history of one document: its steps on a QUndoStack whose clean
// index is the saved state. The steps' memory is held within a bound: past
// it the oldest steps are forgotten (undo then stops before them), so
// imports of large files cannot grow the history without end.
class CUndoHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{256} << 20;

    explicit CUndoHistory(CPlexionDocCore& core, QObject* parent = nullptr);

    QUndoStack& Stack() { return stack_; }
    const QUndoStack& Stack() const { return stack_; }
    // A step already applied to the document.
    void Push(std::unique_ptr<CEditStep> step);
    bool CanUndo() const;
    bool CanRedo() const { return stack_.canRedo(); }
    QString UndoText() const { return stack_.undoText(); }
    QString RedoText() const { return stack_.redoText(); }
    void Undo();
    void Redo();
    // Forgets every step (a document opened or made anew).
    void Clear() { stack_.clear(); }
    void SetMemoryLimit(std::size_t bytes);
    // The memory the remembered steps hold.
    std::size_t Bytes() const;

signals:
    // What can be undone or redone, or their names, changed.
    void changed();

private:
    void KeepWithinLimit();

    CPlexionDocCore& core_;
    QUndoStack stack_;
    std::size_t limit_ = kDefaultMemoryLimit;
};

}  // namespace plexion
