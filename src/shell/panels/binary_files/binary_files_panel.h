#pragma once

#include <cstdint>

#include "binary_file_item.h"
#include "kind_panel.h"

namespace plexion {

// What the preview of a binary file says about it: where it came from and
// its size in bytes, kilobytes and megabytes.
QString BinaryFilePreviewText(const QString& sourceFilename, std::int64_t size);

// The "Binary Files" panel: arbitrary files carried in the document. Files
// dropped on it or chosen with Insert become items; the bytes of an item can
// be written back to a file.
class CBinaryFilesPanel : public CKindPanel<CVKT_BinaryFile> {
    Q_OBJECT
public:
    enum Column {
        kIndexColumn,
        kIdColumn,
        kSourceFilenameColumn,
        kSpecificationsColumn,
        kCommentsColumn,
        kColumnCount
    };
    // The entry of the "Edi&t" submenu, relative to its first id.
    static constexpr int kSaveSourceCommand = 0;

    explicit CBinaryFilesPanel(QWidget* parent = nullptr);

    // Asks for files and adds each; false when the dialog was cancelled.
    bool InsertItems() override;
    // A new item named after the file's title holding its bytes; false, with
    // nothing added, when the file cannot be read.
    bool AddFile(const QString& path) override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void DrawItemPreview(QPainter& painter, QRect& band, int item) override;

    // Asks where to write the bytes of the cursor item and writes them there.
    // Nothing happens without a cursor item or for an item without bytes;
    // a file that cannot be written is reported. Returns whether a file was
    // written.
    bool SaveBinaryFileSource();
};

}  // namespace plexion
