#pragma once

#include <QStringList>

#include "bitmap_item.h"
#include "kind_panel.h"

namespace plexion {

// The panel of the bitmaps group: one row per picture with its kind, sizes,
// offsets, source file and memory figures. Files dropped on it or chosen
// with Insert become pictures.
class CBitmapsPanel : public CKindPanel<CVKT_Bitmap> {
    Q_OBJECT
public:
    enum Column {
        kIndex,
        kId,
        kType,
        kWidth,
        kHeight,
        kOffsetX,
        kOffsetY,
        kExtraAttributes,
        kSourceFilename,
        kSourceNbBytes,
        kUsedGameMemory,
        kSpecifications,
        kComments,
        kColumnCount
    };
    static constexpr const char* kInsertDialogTitle = "Insert Image(s) Filename(s)";
    // Where the picture's origin lies in the preview, from its corner.
    static constexpr int kPreviewOrigin = 94;

    explicit CBitmapsPanel(QWidget* parent = nullptr);

    bool AddEditCommands(QMenu* menu, int firstId) override;
    // Insert Image(s): the chosen files become pictures, in the dialog's order.
    bool InsertItems() override;
    // One image file becomes a new picture at the end of the group.
    bool AddFile(const QString& path) override;
    bool DeleteItem(int item) override;
    bool DoMoveItem(int from, int to) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;

    // The images in `paths` become pictures, in order, under the wait cursor
    // and, for long imports, a progress dialog whose Cancel stops before the
    // next file. Files that cannot be read add nothing and are named in one
    // message at the end. Returns how many pictures were added.
    int InsertImageFiles(const QStringList& paths);

private:
    // The animations and maps name pictures by index and draw them at their
    // offsets, so they refresh after such a change: once, when the event
    // loop next runs, rather than after every row of a multi-row edit or
    // every item of a block moved or deleted.
    void TellOtherPanelsSoon();

    bool otherPanelsToBeTold_ = false;
};

}  // namespace plexion
