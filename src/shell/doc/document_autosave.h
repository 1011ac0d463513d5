#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

#include "document_snapshot.h"

namespace plexion {

class CPlexionDoc;
class CRecoveryFolder;

// Keeps the recovery copy of one document. While the document is modified
// and changed since its last copy, every period a snapshot is taken on this
// thread a slice at a time (the interface never waits for a whole large
// document) and a worker thread writes it. A save, undoing back to the
// saved state and closing the document remove the copy.
class CDocumentAutosave : public QObject {
    Q_OBJECT
public:
    // The slice of the event loop the snapshot may take at a time.
    static constexpr auto kSlice = std::chrono::milliseconds(5);

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
    void TakeSlice();
    void StartWrite(CDocumentSnapshot snapshot);
    void OnWriteFinished();
    void RemoveCopy();

    CPlexionDoc& document_;
    CRecoveryFolder& folder_;
    CSnapshotBuilder builder_;
    QTimer period_;
    QTimer slice_;
    QFutureWatcher<QString> write_;
    int entry_ = -1;
    bool hasCopy_ = false;
    bool changedSinceCopy_ = false;
    // The document was saved or closed while its copy was being written.
    bool removeAfterWrite_ = false;
};

}  // namespace plexion
