#include "open_resources_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "file_filter.h"
#include "plexion_doc_core.h"

namespace plexion {

namespace {

QStringList DialogFilters() {
    return QtFileFilter(QStringLiteral("%1\n*.dat\n%2\n*.*\n\n")
                            .arg(QString::fromLatin1(kDatFilterLabel),
                                 QString::fromLatin1(kAllFilesFilterLabel)))
        .split(QStringLiteral(";;"));
}

bool HasExtension(const QString& path) { return QFileInfo(path).fileName().contains(u'.'); }

// Qt's dialog checks that the file exists with the name as it will be
// returned, so the ".dat" of the first filter is added before that check.
class CLoadResourcesDialog : public QFileDialog {
public:
    CLoadResourcesDialog(QWidget* parent, const QStringList& filters)
        : QFileDialog(parent, QString::fromLatin1(kOpenDialogTitle)), filters_(filters) {
        setFileMode(QFileDialog::ExistingFile);
        setAcceptMode(QFileDialog::AcceptOpen);
        setNameFilters(filters_);
    }

    int FilterIndex() const {
        return std::max(0, static_cast<int>(filters_.indexOf(selectedNameFilter())));
    }

    void accept() override {
        setDefaultSuffix(FilterIndex() == 0 ? QStringLiteral("dat") : QString());
        QFileDialog::accept();
    }

private:
    QStringList filters_;
};

}  // namespace

QString WithResourceExtension(const QString& path, int filterIndex) {
    if (filterIndex == 0 && !HasExtension(path)) {
        return path + QStringLiteral(".dat");
    }
    return path;
}

QString InitialOpenName(const QString& currentResourcePath) {
    const QFileInfo current(currentResourcePath);
    if (!currentResourcePath.isEmpty() && !current.fileName().isEmpty()) {
        return currentResourcePath;
    }
    const QString folder = currentResourcePath.isEmpty() ? QDir::currentPath() : current.path();
    return QDir(folder).filePath(QString::fromLatin1(kSelectFilenamePrompt));
}

QString AskResourceFileToOpen(QWidget* parent, int& filterIndex) {
    const QStringList filters = DialogFilters();
    CLoadResourcesDialog dialog(parent, filters);
    const QString current = QFile::decodeName(QByteArray::fromStdString(CurrentResourcePath()));
    const QFileInfo initial(InitialOpenName(current));
    dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());
    dialog.selectNameFilter(filters.value(filterIndex, filters.first()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    filterIndex = dialog.FilterIndex();
    const QString chosen = dialog.selectedFiles().first();
    SetCurrentResourcePath(QFile::encodeName(chosen).toStdString());
    return WithResourceExtension(chosen, filterIndex);
}

}  // namespace plexion
