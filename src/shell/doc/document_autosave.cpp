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
      builder_(document.Resources(), document.Core().Gate()),
      entry_(entry),
      hasCopy_(entry >= 0) {
    again_.setSingleShot(true);
    // A pause, so that a drag going on is not read over and over.
    again_.setInterval(std::chrono::milliseconds(500));
    connect(&again_, &QTimer::timeout, this, &CDocumentAutosave::OnPeriod);
    connect(&period_, &QTimer::timeout, this, &CDocumentAutosave::OnPeriod);
    connect(&write_, &QFutureWatcher<SWritten>::finished, this,
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
        again_.stop();
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
    again_.stop();
    changedSinceCopy_ = false;
    RemoveCopy();
}

void CDocumentAutosave::OnPeriod() {
    if (!document_.IsModified()) {
        period_.stop();
        return;
    }
    if (changedSinceCopy_ && !write_.isRunning()) {
        StartWrite();
    }
}

void CDocumentAutosave::StartWrite() {
    changedSinceCopy_ = false;
    writing_ = std::make_shared<CDocumentSnapshot>(builder_.Take());
    if (entry_ < 0) {
        entry_ = folder_.NewEntry();
    }
    SRecoveryInfo info;
    info.originalPath = QFile::encodeName(document_.PathName()).toStdString();
    info.title = document_.Title().toStdString();
    info.writtenAt = QDateTime::currentSecsSinceEpoch();
    info.originalStamp = document_.Core().DiskStamp();
    write_.setFuture(QtConcurrent::run(
        [&folder = folder_, entry = entry_, info = std::move(info), snapshot = writing_] {
            SWritten written;
            try {
                written.read = snapshot->Complete();
                if (written.read) {
                    written.error = QString::fromStdString(folder.Write(entry, info, *snapshot));
                }
            } catch (const std::exception& failure) {
                written.read = true;
                written.error = QString::fromUtf8(failure.what());
            }
            return written;
        }));
}

void CDocumentAutosave::OnWriteFinished() {
    builder_.Keep(*std::exchange(writing_, nullptr));
    if (std::exchange(removeAfterWrite_, false)) {
        RemoveCopy();
        return;
    }
    const auto [read, error] = write_.result();
    if (!read) {
        // An edit came in: taken again soon; what was read before it stays
        // read.
        changedSinceCopy_ = true;
        again_.start();
        return;
    }
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
