#include "binary_files_panel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

#include "binary_file_import.h"
#include "binary_file_item.h"
#include "captioned_text_preview.h"
#include "edit_step.h"
#include "file_filter.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"
#include "message_box_presenter.h"
#include "paths.h"

namespace plexion {
namespace {

constexpr const char* kAllFilesFilter = "All Files (*.*)\n*.*\n\n";
constexpr double kBytesPerKilobyte = 1024.0;
constexpr double kBytesPerMegabyte = 1048576.0;

std::string FileSystemName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromFileSystemName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The source filename where its folder still exists, otherwise its name in
// the panel's last folder.
QString ProposedSaveName(const QString& source, const QString& lastFolder) {
    const QFileInfo info(source);
    if (!source.isEmpty() && info.isAbsolute() && info.dir().exists()) {
        return source;
    }
    return QDir(lastFolder).filePath(FromFileSystemName(FileNameOf(FileSystemName(source))));
}

}  // namespace

QString BinaryFilePreviewText(const QString& sourceFilename, std::int64_t size) {
    return QStringLiteral("Original Filename: ") + sourceFilename +
           QString::asprintf("\n\nFile Size:               %lld bytes       %.2f KB       %.2f MB",
                             static_cast<long long>(size),
                             static_cast<double>(size) / kBytesPerKilobyte,
                             static_cast<double>(size) / kBytesPerMegabyte);
}

CBinaryFilesPanel::CBinaryFilesPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Binary Files"), parent) {
    using File = CVKT_BinaryFile;
    SetColumns({IndexColumn<File>(), IdColumn<File>(),
                StoredTextColumn<File>(
                    "Source Filename", GridCellType::Text,
                    [](const File& item) -> const std::string& { return item.SourceFilename(); },
                    [](File& item, std::string_view path) { item.SetSourceFilename(std::string(path)); }),
                SpecificationsColumn<File>(), CommentsColumn<File>()});
    SetAcceptsFiles(true);
}

bool CBinaryFilesPanel::InsertItems() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Insert Binary File(s) Filename(s)"), LastFolder(),
        QtFileFilter(QString::fromLatin1(kAllFilesFilter)));
    if (paths.isEmpty()) {
        return false;
    }
    SetLastFolder(QFileInfo(paths.first()).absolutePath());
    AsOneEdit(QString::fromStdString(ItemsLabel("Insert", paths.size())), [&] {
        for (const QString& path : paths) {
            AddFile(path);
        }
    });
    return true;
}

bool CBinaryFilesPanel::AddFile(const QString& path) {
    int index = -1;
    EditDocument(QStringLiteral("Insert File"), [&](CVKT_ResourceContainer& container) {
        index = AddBinaryFile(container, FileSystemName(path));
        return index >= 0;
    });
    if (index < 0) {
        return false;
    }
    ShowNewItem(*this, index);
    return true;
}

bool CBinaryFilesPanel::AddEditCommands(QMenu* menu, int firstId) {
    QAction* save = menu->addAction(QStringLiteral("&Save Binary File Source..."));
    save->setStatusTip(QStringLiteral("Save the source file to a separate file"));
    save->setData(firstId + kSaveSourceCommand);
    return true;
}

bool CBinaryFilesPanel::OnEditCommand(QMenu* /*menu*/, int firstId, int id) {
    if (id != firstId + kSaveSourceCommand) {
        return false;
    }
    SaveBinaryFileSource();
    return true;
}

bool CBinaryFilesPanel::SaveBinaryFileSource() {
    const int cursor = GetCursorItem();
    const CVKT_BinaryFile* item = Item(cursor);
    if (item == nullptr) {
        return false;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Binary File Source Filename"),
        ProposedSaveName(FromFileSystemName(item->SourceFilename()), LastFolder()),
        QtFileFilter(QString::fromLatin1(kAllFilesFilter)));
    // The dialog runs its own event loop: look the item up again.
    item = Item(cursor);
    if (path.isEmpty() || item == nullptr) {
        return false;
    }
    SetLastFolder(QFileInfo(path).absolutePath());
    if (item->Data().Size() == 0) {
        return false;
    }
    if (!item->Data().SaveToFile(FileSystemName(path))) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("Error: the file \"%1\" could not be written !")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

void CBinaryFilesPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    DrawTiledPreview(painter, preview);
}

void CBinaryFilesPanel::DrawItemPreview(QPainter& painter, QRect& band, int item) {
    const CVKT_BinaryFile* file = Item(item);
    if (file == nullptr) {
        return;
    }
    DrawCaptionedTextPreview(
        painter, band, FromStored(file->ID()),
        BinaryFilePreviewText(FromStored(file->SourceFilename()), file->Data().Size()));
}

}  // namespace plexion
