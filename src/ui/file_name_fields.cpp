#include "file_name_fields.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "file_filter.h"

namespace plexion {
namespace {

QToolButton* MakeBrowseButton(QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(QStringLiteral("..."));
    return button;
}

}  // namespace

CFileNameField::CFileNameField(const QString& dialogTitle, FileNameMode mode, const QString& filter,
                               const QString& fileName, QWidget* parent)
    : QWidget(parent),
      dialogTitle_(dialogTitle),
      mode_(mode),
      filter_(QtFileFilter(filter)),
      edit_(new QLineEdit(fileName, this)),
      browse_(MakeBrowseButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(browse_);
    setFocusProxy(edit_);
    connect(browse_, &QToolButton::clicked, this, &CFileNameField::Browse);
}

QString CFileNameField::FileName() const {
    return edit_->text();
}

void CFileNameField::SetFileName(const QString& fileName) {
    edit_->setText(fileName);
}

void CFileNameField::Browse() {
    const QString chosen =
        mode_ == FileNameMode::Open
            ? QFileDialog::getOpenFileName(this, dialogTitle_, FileName(), filter_)
            : QFileDialog::getSaveFileName(this, dialogTitle_, FileName(), filter_);
    if (!chosen.isEmpty()) {
        SetFileName(chosen);
    }
}

CFileNamesField::CFileNamesField(const QString& dialogTitle, const QString& filter,
                                 const QStringList& fileNames, QWidget* parent)
    : QWidget(parent),
      dialogTitle_(dialogTitle),
      filter_(QtFileFilter(filter)),
      list_(new QListWidget(this)),
      browse_(MakeBrowseButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_, 1);
    layout->addWidget(browse_, 0, Qt::AlignTop);
    setFocusProxy(list_);
    SetFileNames(fileNames);
    connect(browse_, &QToolButton::clicked, this, &CFileNamesField::Browse);
}

QStringList CFileNamesField::FileNames() const {
    QStringList names;
    for (int row = 0; row < list_->count(); ++row) {
        names << list_->item(row)->text();
    }
    return names;
}

void CFileNamesField::SetFileNames(const QStringList& fileNames) {
    list_->clear();
    list_->addItems(fileNames);
}

void CFileNamesField::Browse() {
    const QString folder =
        list_->count() > 0 ? QFileInfo(list_->item(0)->text()).absolutePath() : QString();
    const QStringList chosen = QFileDialog::getOpenFileNames(this, dialogTitle_, folder, filter_);
    if (!chosen.isEmpty()) {
        SetFileNames(chosen);
    }
}

}  // namespace plexion
