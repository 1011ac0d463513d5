#pragma once

#include "animation_cursor.h"
#include "index_list_item.h"
#include "kind_panel.h"

namespace plexion {

// The panel of the animations: one row per animation with its play mode and
// frame count. The preview plays the animation of the cursor row on the game
// clock.
class CAnimationsPanel : public CKindPanel<CVKT_IndexList> {
    Q_OBJECT
public:
    enum Column { kIndex, kId, kType, kPlayMode, kSpecifications, kComments, kColumnCount };

    // A play mode edit also plays the preview again from the mode's start.
    explicit CAnimationsPanel(QWidget* parent = nullptr);

    bool AddEditCommands(QMenu* menu, int firstId) override;
    // A new, empty animation named "New ID" at the end of the group.
    bool InsertItems() override;

    // The preview follows the cursor row.
    void SelectionChanged() override;
    bool Refresh(bool rebuild) override;
    bool SetResourceContainer(CVKT_ResourceContainer* container) override;
    // On the game clock's thread: one game step of the preview.
    bool StepTime() override;
    void RedrawPreview() override;
    // The animation at the centre of the preview, with its name.
    void DrawPreview(QPainter& painter, const QRect& preview) override;

    // The first animation with a frame naming no bitmap.
    int FindBrokenReference(QString& message) const override;

    const CAnimationCursor& PreviewCursor() const { return cursor_; }

private:
    // Shows the cursor row's animation from its start (stop, reset, play).
    void RestartPreview();

    CAnimationCursor cursor_;
};

}  // namespace plexion
