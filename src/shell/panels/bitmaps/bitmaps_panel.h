#pragma once

#include <QColor>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

#include "bitmap_item.h"
#include "kind_panel.h"
#include "picture_area.h"

namespace plexion {

// The panel of the bitmaps group: one row per picture with its kind, sizes,
// offsets, source file and memory figures. Files dropped on it or chosen
// with Insert become pictures. Its picture area shows the marked pictures
// and the current one at their offsets; Shift-dragging there moves the
// offsets of all of them, Alt-dragging those of the current one.
class CBitmapsPanel : public CKindPanel<CVKT_Bitmap>, public IPictureContent {
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
    // The entries of the "Edi&t" submenu, after the menu's first id.
    enum Command {
        kCropCommand,
        kSetAlphaCommand,
        kChangeColorCommand,
        kReloadCommand,
        kSaveSourceCommand,
        kMakeAnimationCommand,
        kViewWithoutAlphaCommand,
        kViewOnlyAlphaCommand,
    };
    static constexpr const char* kInsertDialogTitle = "Insert Image(s) Filename(s)";
    // Where the picture's origin lies in the preview, from its corner.
    static constexpr int kPreviewOrigin = CPictureViewport::kOrigin;

    explicit CBitmapsPanel(QWidget* parent = nullptr);

    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;
    int KindKeyCommand(int key, bool shift, bool control) const override;
    // Insert Image(s): the chosen files become pictures, in the dialog's order.
    bool InsertItems() override;
    // One image file becomes a new picture at the end of the group.
    bool AddFile(const QString& path) override;
    bool DeleteItem(int item) override;
    bool DoMoveItem(int from, int to) override;
    // The picture area, drawn into `preview`.
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void RedrawPreview() override;
    void RedrawPreviewArea() override;
    void Layout(bool clamp) override;

    CPictureArea* PictureArea() const { return pictureArea_; }
    void DrawPictures(QPainter& painter, const CPixelLines& lines,
                      const CPicturePlacement& placement, const QRect& area) override;
    // How many bitmaps are selected, and the current one's ID, size and
    // offsets; the zoom and the frame rate.
    QString Description() const override;

    // The commands; each over many bitmaps is one change of the document.
    bool CropToAlphaChannel();
    bool SetAlphaChannelToColor();
    bool ChangeColor();
    bool ReloadImageSource();
    bool SaveImageSource();
    bool MakeAnimationFromSelection();

    // The images in `paths` become pictures, in order, under the wait cursor
    // and, for long imports, a progress dialog whose Cancel stops before the
    // next file. Files that cannot be read add nothing and are named in one
    // message at the end. Returns how many pictures were added.
    int InsertImageFiles(const QStringList& paths);

private:
    // Runs `command` on a copy of every affected picture, showing progress
    // with Cancel when that takes longer than a moment, then puts the edited
    // pictures into the document in one change. Cancel changes nothing.
    bool EditSelectedPictures(const QString& label,
                              const std::function<bool(CVKT_Bitmap&)>& command);
    void ToggleView(AlphaView view);
    // The bitmaps a drag with `modifiers` moves: with Shift every affected
    // one, with Alt the current one.
    std::vector<int> DraggedItems(Qt::KeyboardModifiers modifiers) const;
    // How far the drag in progress moved `item`.
    QPointF DraggedBy(int item) const;
    QPointF DraggedBy(const CVKT_Bitmap& bitmap) const;
    void DragOffsets(QPoint delta, Qt::KeyboardModifiers modifiers);
    void EndOffsetDrag(bool cancelled);

    CPictureArea* pictureArea_ = nullptr;
    std::map<int, QPointF> draggedBy_;
    QColor lastNewColor_ = Qt::black;
};

}  // namespace plexion
