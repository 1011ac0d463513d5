#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>

#include "document_snapshot.h"

namespace plexion {

class CPlexionDoc;
class CRecoveryFolder;

// Keeps the recovery copy of one document. While the document is modified
// and changed since its last copy, every period a snapshot is taken on this
// thread (a look at each item) and a worker thread makes the stored forms
// of the items changed since the last one, between edits, and writes it;
// an edit coming in meanwhile has it taken again at once, so the interface
// never waits for a large item. A save, undoing back to the saved state
// and closing the document remove the copy.
class CDocumentAutosave : public QObject {
    Q_OBJECT
public:
    // `entry` is the copy the document already has in `folder` (a
    // recovered document), or -1. A zero period keeps no copies.
    CDocumentAutosave(CPlexionDoc& document, CRecoveryFolder& folder,
                      std::chrono::seconds period, int entry = -1);
    // Waits for a write under way, then removes the copy.
    ~CDocumentAutosave() override;

    void SetPeriod(std::chrono::seconds period);
    // The copy's entry in the folder, -1 while there is none.
    int Entry() const { return hasCopy_ ? entry_ : -1; }

signals:
    // A copy is on disk.
    void written();
    void failed(const QString& why);

private:
    void OnChanged();
    void OnModifiedChanged(bool modified);
    void OnPeriod();
    void StartWrite();
    void OnWriteFinished();
    void RemoveCopy();

    CPlexionDoc& document_;
    CRecoveryFolder& folder_;
    CSnapshotBuilder builder_;
    QTimer period_;
    QTimer again_;
    struct SWritten {
        // False when an edit came in before the document was read whole.
        bool read = false;
        QString error;
    };
    QFutureWatcher<SWritten> write_;
    std::shared_ptr<CDocumentSnapshot> writing_;
    int entry_ = -1;
    bool hasCopy_ = false;
    bool changedSinceCopy_ = false;
    // The document was saved or closed while its copy was being written.
    bool removeAfterWrite_ = false;
};

}  // namespace plexion
