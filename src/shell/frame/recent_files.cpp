#include "recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace plexion {

namespace {

QString EntryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

QString AbsolutePath(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

CRecentFiles::CRecentFiles(const QString& organization, const QString& application,
                           QObject* parent)
    : QObject(parent), organization_(organization), application_(application) {}

void CRecentFiles::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    const QString entry = AbsolutePath(path);
    files_.removeAll(entry);
    files_.prepend(entry);
    while (files_.size() > kMaxEntries) {
        files_.removeLast();
    }
    Store();
    emit changed();
}

void CRecentFiles::Remove(const QString& path) {
    if (files_.removeAll(AbsolutePath(path)) == 0) {
        return;
    }
    Store();
    emit changed();
}

void CRecentFiles::Load() {
    QSettings settings(organization_, application_);
    settings.beginGroup(QString::fromLatin1(kGroup));
    files_.clear();
    for (int index = 0; index < kMaxEntries; ++index) {
        const QString entry = settings.value(EntryKey(index)).toString();
        if (!entry.isEmpty() && !files_.contains(entry)) {
            files_.append(entry);
        }
    }
    emit changed();
}

void CRecentFiles::Store() const {
    QSettings settings(organization_, application_);
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int index = 0; index < kMaxEntries; ++index) {
        if (index < files_.size()) {
            settings.setValue(EntryKey(index), files_[index]);
        } else {
            settings.remove(EntryKey(index));
        }
    }
}

}  // namespace plexion
