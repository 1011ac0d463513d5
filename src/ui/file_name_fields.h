#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QToolButton;

namespace plexion {

enum class FileNameMode {
    Open,  // an existing file
    Save,  // a file to write
};

// One file name: typed, or chosen with the "..." button in an open or save
// dialog showing the field's filter.
class CFileNameField : public QWidget {
    Q_OBJECT
public:
    // `filter` is in the editor's label and pattern form (see QtFileFilter).
    CFileNameField(const QString& dialogTitle, FileNameMode mode, const QString& filter,
                   const QString& fileName, QWidget* parent = nullptr);

    QString FileName() const;
    void SetFileName(const QString& fileName);
    QLineEdit* Edit() const { return edit_; }
    QToolButton* BrowseButton() const { return browse_; }

private:
    void Browse();

    QString dialogTitle_;
    FileNameMode mode_;
    QString filter_;
    QLineEdit* edit_;
    QToolButton* browse_;
};

// Several existing files, listed one a line and chosen together with the
// "..." button; a new choice replaces the list.
class CFileNamesField : public QWidget {
    Q_OBJECT
public:
    CFileNamesField(const QString& dialogTitle, const QString& filter, const QStringList& fileNames,
                    QWidget* parent = nullptr);

    QStringList FileNames() const;
    void SetFileNames(const QStringList& fileNames);
    QListWidget* List() const { return list_; }
    QToolButton* BrowseButton() const { return browse_; }

private:
    void Browse();

    QString dialogTitle_;
    QString filter_;
    QListWidget* list_;
    QToolButton* browse_;
};

}  // namespace plexion
