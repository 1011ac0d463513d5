#include "document_autosave.h"

#include <QDateTime>
#include <QFile>
#include <QtConcurrent>

#include <utility>

#include "plexion_doc.h"
#include "recovery_folder.h"

namespace plexion {

CDocumentAutosave::CDocumentAutosave(CPlexionDoc& document, CRecoveryFolder& folder,
                                     std::chrono::seconds period, int entry)
    : document_(document),
      folder_(folder),
      builder_(document.Resources()),
      entry_(entry),
      hasCopy_(entry >= 0) {
    slice_.setSingleShot(true);
    slice_.setInterval(0);
    connect(&slice_, &QTimer::timeout, this, &CDocumentAutosave::TakeSlice);
    connect(&period_, &QTimer::timeout, this, &CDocumentAutosave::OnPeriod);
    connect(&write_, &QFutureWatcher<QString>::finished, this,
            &CDocumentAutosave::OnWriteFinished);
    connect(&document_, &CPlexionDoc::changed, this, &CDocumentAutosave::OnChanged);
    connect(&document_, &CPlexionDoc::modifiedChanged, this,
            &CDocumentAutosave::OnModifiedChanged);
    SetPeriod(period);
}

CDocumentAutosave::~CDocumentAutosave() {
    disconnect(&write_, nullptr, this, nullptr);
    write_.waitForFinished();
    if (entry_ >= 0) {
        folder_.Remove(entry_);
    }
}

void CDocumentAutosave::SetPeriod(std::chrono::seconds period) {
    period_.setInterval(period);
    if (period.count() <= 0) {
        period_.stop();
        slice_.stop();
    } else if (document_.IsModified()) {
        period_.start();
    }
}

void CDocumentAutosave::OnChanged() {
    changedSinceCopy_ = true;
    if (period_.interval() > 0 && document_.IsModified() && !period_.isActive()) {
        period_.start();
    }
}

void CDocumentAutosave::OnModifiedChanged(bool modified) {
    if (modified) {
        OnChanged();
        return;
    }
    // What the copy holds is now the document's file.
    period_.stop();
    slice_.stop();
    changedSinceCopy_ = false;
    RemoveCopy();
}

void CDocumentAutosave::OnPeriod() {
    if (!document_.IsModified()) {
        period_.stop();
        return;
    }
    if (changedSinceCopy_ && !slice_.isActive() && !write_.isRunning()) {
        TakeSlice();
    }
}

void CDocumentAutosave::TakeSlice() {
    if (builder_.Advance(kSlice)) {
        if (std::optional<CDocumentSnapshot> snapshot = builder_.Take()) {
            changedSinceCopy_ = false;
            StartWrite(std::move(*snapshot));
            return;
        }
    }
    slice_.start();
}

void CDocumentAutosave::StartWrite(CDocumentSnapshot snapshot) {
    if (entry_ < 0) {
        entry_ = folder_.NewEntry();
    }
    SRecoveryInfo info;
    info.originalPath = QFile::encodeName(document_.PathName()).toStdString();
    info.title = document_.Title().toStdString();
    info.writtenAt = QDateTime::currentSecsSinceEpoch();
    info.originalStamp = document_.Core().DiskStamp();
    write_.setFuture(QtConcurrent::run(
        [&folder = folder_, entry = entry_, info = std::move(info),
         snapshot = std::move(snapshot)] {
            return QString::fromStdString(folder.Write(entry, info, snapshot));
        }));
}

void CDocumentAutosave::OnWriteFinished() {
    if (std::exchange(removeAfterWrite_, false)) {
        RemoveCopy();
        return;
    }
    const QString error = write_.result();
    if (!error.isEmpty()) {
        // Tried again at the next period.
        changedSinceCopy_ = true;
        emit failed(error);
        return;
    }
    hasCopy_ = true;
    emit written();
}

void CDocumentAutosave::RemoveCopy() {
    if (write_.isRunning()) {
        removeAfterWrite_ = true;
        return;
    }
    if (entry_ >= 0) {
        folder_.Remove(entry_);
    }
    hasCopy_ = false;
}

}  // namespace plexion
