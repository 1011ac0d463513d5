#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace plexion {

// The most-recently-used document list, newest first, kept in the user's
// settings store under the application's organization and name.
class CRecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 16;
    static constexpr const char* kGroup = "Recent File List";

    CRecentFiles(const QString& organization, const QString& application,
                 QObject* parent = nullptr);

    const QStringList& Files() const { return files_; }
    // Puts `path` (made absolute) first, dropping an older entry for the
    // same file and the oldest beyond the limit, and stores the list.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Load();

signals:
    void changed();

private:
    void Store() const;

    QString organization_;
    QString application_;
    QStringList files_;
};

}  // namespace plexion
