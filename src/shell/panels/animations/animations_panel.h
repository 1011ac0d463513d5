#pragma once

#include "animation_cursor.h"
#include "frame_list_editor.h"
#include "index_list_item.h"
#include "kind_panel.h"

namespace plexion {

// The panel of the animations: one row per animation with its play mode and
// frame count. Beside the grid, the frame-list editor edits the frames of
// the cursor row's animation and plays it on the game clock.
class CAnimationsPanel : public CKindPanel<CVKT_IndexList> {
    Q_OBJECT
public:
    enum Column { kIndex, kId, kType, kPlayMode, kSpecifications, kComments, kColumnCount };

    // A play mode edit also plays the preview again from the mode's start.
    explicit CAnimationsPanel(QWidget* parent = nullptr);

    // The frames are bitmaps, drawn at their offsets.
    bool ShowsKind(int kind) const override {
        return kind == kKindBitmaps || CKindPanel::ShowsKind(kind);
    }
    bool AddEditCommands(QMenu* menu, int firstId) override;
    // A new, empty animation named "New ID" at the end of the group.
    bool InsertItems() override;

    // The preview follows the cursor row.
    void SelectionChanged() override;
    bool Refresh(bool rebuild) override;
    bool SetResourceContainer(const CVKT_ResourceContainer* container) override;
    // On the game clock's thread: one game step of the preview.
    bool StepTime() override;
    bool PreviewAnimates() const override;
    void RedrawPreview() override;
    // The editor's preview picture, drawn into `preview`.
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void RedrawPreviewArea() override;
    void Layout(bool clamp) override;

    // The first animation with a frame naming no bitmap.
    int FindBrokenReference(QString& message) const override;

    const CAnimationCursor& PreviewCursor() const { return editor_->Cursor(); }
    CFrameListEditor* FrameListEditor() const { return editor_; }

private:
    // Shows the cursor row's animation from its start (stop, reset, play).
    void RestartPreview();

    CFrameListEditor* editor_;
};

}  // namespace plexion
