#pragma once

#include <QWidget>

#include <atomic>
#include <functional>
#include <vector>

#include "animation_cursor.h"
#include "frame_list_commands.h"
#include "picture_area.h"
#include "picture_thumbnail.h"

class QCheckBox;
class QListView;
class QMenu;
class QSplitter;
class QToolButton;

namespace plexion {

class CBitmapListModel;
class CFrameListModel;
class CResourcePanel;
class CVKT_Bitmap;
class CVKT_IndexList;
class CVKT_ResourceContainer;

// The editor of one animation's frames inside the Animations panel: the
// document's bitmaps, the animation's frames and a preview that plays it on
// the game clock. The commands work on the frames list's marked frames (the
// current one when none is marked) and each is one change of the document,
// made through the panel. Bitmaps dragged from the bitmaps list onto the
// frames list become frames where they are dropped.
//
// The preview draws the animation through its own cursor at the origin of a
// picture area. A left drag there moves offsets: with Shift those of the
// current frame, with Ctrl those of every frame, as one change at the
// release. The preview stands still (its suspend flag) while the editor is
// hidden, while an offset drag lasts and while the user has paused it; then
// Previous and Next step through the frames, and the onion skin shows the
// frame before the current one faintly behind it.
class CFrameListEditor : public QWidget, public IPictureContent {
    Q_OBJECT
public:
    static constexpr int kThumbnailSize = 24;

    explicit CFrameListEditor(CResourcePanel& panel, QWidget* parent = nullptr);

    // Edits and previews animation `index` of `document` from its start.
    void ShowAnimation(const CVKT_ResourceContainer* document, int index);
    int AnimationIndex() const { return cursor_.GetAnimationIndex(); }
    // After the document changed: the lists again, keeping the current and
    // marked frames where they still are.
    void Reload();
    // Plays the preview from the play mode's start (stop, reset, play).
    void RestartPreview();

    // On the game clock's thread: one game step of the preview, unless it
    // is suspended. Whether the preview changed.
    bool Step();
    bool IsSuspended() const { return suspended_.load(); }
    // Whether the coming steps would move the preview on; any thread.
    bool Animates() const;
    const CAnimationCursor& Cursor() const { return cursor_; }

    // Runs `command` as its menu entry or key would, from the bitmaps list
    // or the frames list. Whether the document changed.
    bool Run(FrameListCommand command, bool fromBitmapsList);
    bool CanRun(FrameListCommand command, bool fromBitmapsList) const;
    // The context menu of a list; the caller owns it. Each action's data()
    // is its command.
    QMenu* BuildMenu(bool forBitmapsList);
    // Bitmaps put before frame `at`, one frame each, as one change.
    bool InsertBitmaps(int at, const std::vector<int>& bitmaps);

    QListView* BitmapsList() const { return bitmapsList_; }
    QListView* FramesList() const { return framesList_; }
    CPictureArea* PictureArea() const { return pictureArea_; }
    int CurrentFrame() const;
    // The marked frames ascending, or the current one when none is marked.
    std::vector<int> MarkedFrames() const;
    // Makes `current` the current frame and marks `marked`, or the current
    // frame when `marked` is empty.
    void SelectFrames(int current, const std::vector<int>& marked);
    int CurrentBitmap() const;
    std::vector<int> MarkedBitmaps() const;

    // The playback controls.
    void Play();
    void Pause();
    bool IsPaused() const { return paused_; }
    // Pauses and shows the frame `by` places on, wrapping at the ends.
    void StepFrames(int by);
    void SetOnionSkin(bool on);
    bool OnionSkin() const { return onionSkin_; }

    // The preview: the frame the cursor shows at the origin, with the one
    // before it behind it when the onion skin is on.
    void DrawPictures(QPainter& painter, const CPixelLines& lines,
                      const CPicturePlacement& placement, const QRect& area) override;
    // The animation's ID, then the frame rate, the current frame out of the
    // frame count and the game steps left on it.
    QString Description() const override;
    // The frames drawn now, which the game steps move.
    QRegion MovingParts(const CPicturePlacement& placement, const QRect& area) const override;

signals:
    // After a command changed the animation's frames.
    void framesEdited(int animation);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The gaps between the lists and the preview in the dialog face colour.
    void paintEvent(QPaintEvent* event) override;

private:
    const CVKT_IndexList* Animation() const;
    // One change of the animation through the panel, named `name`; the
    // lists and the preview follow.
    bool EditFrames(const QString& name, const std::function<bool(CVKT_IndexList&)>& change);
    void ShowContextMenu(QListView* list, QPoint at);
    void UpdateSuspended();
    void UpdatePlaybackControls();
    // While paused the preview shows the frames list's current frame.
    void ShowCurrentFrameWhilePaused();
    void StartPress();
    void DragOffsets(QPoint delta, Qt::KeyboardModifiers modifiers);
    void EndOffsetDrag(bool cancelled);
    // How far the drag in progress moved `frame`.
    QPoint DraggedBy(int frame) const;
    // The frames the preview draws, the one behind first: with the onion
    // skin on, the frame before the current one.
    std::vector<int> ShownFrames() const;
    // The bitmap `frame` shows and, in `at`, where it is placed; null when
    // there is none.
    const CVKT_Bitmap* FrameBitmap(int frame, QPointF& at) const;
    void DrawFrame(QPainter& painter, const CPixelLines& lines, const CPicturePlacement& placement,
                   const QRect& area, int frame, double opacity);

    CResourcePanel& panel_;
    const CVKT_ResourceContainer* document_ = nullptr;
    CAnimationCursor cursor_;
    CPictureThumbnails thumbnails_{kThumbnailSize};
    CBitmapListModel* bitmapsModel_;
    CFrameListModel* framesModel_;
    QListView* bitmapsList_;
    QListView* framesList_;
    CPictureArea* pictureArea_;
    QToolButton* previousButton_;
    QToolButton* playButton_;
    QToolButton* pauseButton_;
    QToolButton* nextButton_;
    QCheckBox* onionSkinBox_;
    QSplitter* splitter_;
    bool splitterPlaced_ = false;

    // Read by the game clock's thread.
    std::atomic<bool> suspended_{true};
    bool hidden_ = true;
    bool paused_ = false;
    // The left button is down in the preview.
    bool pressed_ = false;
    bool onionSkin_ = false;
    // The frames an offset drag moves and how far so far; empty when none.
    std::vector<int> draggedFrames_;
    QPoint draggedBy_;
};

}  // namespace plexion
