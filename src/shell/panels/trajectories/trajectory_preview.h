#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "frame_rate_meter.h"
#include "path_gesture.h"
#include "trajectory_preview_state.h"

namespace plexion {

class CVKT_ResourceContainer;
class CVKT_Trajectory;

// The view offset that puts the middle of `bounds` (truncated to whole
// pixels) in the middle of a view of `client` size.
QPoint CenteredViewOffset(const CPathBounds& bounds, QSize client);

// The preview of the Trajectories and Shapes panel: the panel's cursor
// trajectory drawn over an optional background bitmap, with an object (a
// bitmap, an animation, or a square) moving along it on the game clock.
//
// In draw mode the left button draws points at the end of the path, or
// drags the point it is pressed on, and the right button deletes the point
// under it; in move-view mode dragging moves the view. Each stroke, drag or
// deletion reaches the document as one edit, when the button is released.
class CTrajectoryPreview : public QWidget {
    Q_OBJECT
public:
    enum MouseMode { kMoveViewMode = 1, kDrawMode = 4 };
    static constexpr QPoint kStartViewOffset{-94, -94};

    // Makes one change of the shown trajectory through the document's
    // editing path, named as the user would name the action.
    using PathEdit = std::function<bool(const QString& label,
                                        const std::function<bool(CVKT_Trajectory&)>& change)>;

    explicit CTrajectoryPreview(QWidget* parent = nullptr);
    ~CTrajectoryPreview() override;

    void SetResourceContainer(const CVKT_ResourceContainer* container);
    void SetPathEdit(PathEdit edit) { edit_ = std::move(edit); }

    // Shows trajectory `index` (-1 for none) with its object at the start.
    void SetTrajectoryIndex(int index);
    int TrajectoryIndex() const { return state_.Cursor().TrajectoryIndex(); }
    void Rewind();
    // After a change of the document: takes in the shown trajectory's new
    // points and the bitmaps and animations as they now are.
    void Refresh();
    // The game step, on the game clock's thread: moves the object.
    bool Step() { return state_.Step(); }
    // Repaints at once.
    void Redraw();

    void MoveViewToOrigin();
    // Puts the middle of the trajectory's bounds in the middle of the view.
    void CenterTrajectory();
    void MoveViewBy(int dx, int dy);
    QPoint ViewOffset() const { return viewOffset_; }

    double PlaySpeed() const { return state_.PlaySpeed(); }
    void SetPlaySpeed(double speed);
    // A drag of `dy` pixels on the play speed button.
    void DragPlaySpeed(int dy);
    bool FollowFlag() const { return follow_; }
    void SetFollowFlag(bool follow);
    bool HideFlag() const { return hide_; }
    void SetHideFlag(bool hide);
    int MouseMode() const { return mouseMode_; }
    void SetMouseMode(int mode);

    // 0 for none, k for bitmap k - 1.
    int BackgroundChoice() const { return backgroundChoice_; }
    int ObjectChoice() const { return objectChoice_; }
    // The animation the object plays, -1 for none (the object is then the
    // bitmap of the object choice).
    int ObjectAnimation() const { return objectAnimation_; }

    // The "Chose Background Bitmap", "Chose Moving Object Bitmap" and
    // "Bitmaps" dialogs; each returns whether OK was pressed.
    bool ChooseBackground();
    bool ChooseObject();
    bool ShowBitmapsDialog();

    // "%s\n%.3f / %d": the frame rate, the object's parameter and the
    // shown trajectory's point count.
    QString LabelText() const;
    const CTrajectoryPreviewState& State() const { return state_; }

signals:
    // The play speed, a flag or the mouse mode changed; the toolbar follows.
    void viewStateChanged();
    // The object may have started to move: a sleeping game clock looks again.
    void mayAnimate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const CVKT_Trajectory* Trajectory() const;
    // The points to draw: the gesture's while the mouse changes the path.
    std::span<const CPathPoint> ShownPoints() const;
    // Path coordinates (without the trajectory's offset) under a point.
    CPathPoint PathPointAt(QPoint position) const;
    // The object's world position, in whole pixels.
    QPointF ObjectWorldPosition() const;
    // The view offset moved by `delta`, kept far inside the int range so
    // that every sum made with it stays exact.
    void SetViewOffset(QPointF offset);
    // The object's entry in the object lists: 0 none, then the bitmaps,
    // then the animations.
    int ObjectEntry() const;
    // What the bitmap choosers chose; shows the trajectory from its start.
    void TakeChoices(int background, int objectEntry);

    void PaintBuffer();
    void PaintBackground(QPainter& painter, QPoint origin);
    void PaintObject(QPainter& painter, QPoint object);
    void PaintAxes(QPainter& painter, QPoint origin);
    void PaintLabel(QPainter& painter);

    void BeginGesture(QPoint position);
    void ContinueGesture(QPoint position);
    void FinishGesture();
    // Deletes the point under `position`; false when there is none.
    bool DeletePointAt(QPoint position);
    // The follow flag while drawing: the view moves by the pen's distance
    // from the middle, and the pen goes back to the middle.
    QPoint FollowPen(QPoint position);
    void ShowContextMenu(QPoint globalPosition);

    CTrajectoryPreviewState state_;
    const CVKT_ResourceContainer* container_ = nullptr;
    PathEdit edit_;
    bool follow_ = false;
    bool hide_ = false;
    int mouseMode_ = kDrawMode;
    QPoint lastMouse_;
    QPoint viewOffset_ = kStartViewOffset;
    QImage buffer_;
    int objectChoice_ = 0;
    int backgroundChoice_ = 0;
    int objectAnimation_ = -1;
    CFrameRateMeter frameRate_;
    std::optional<CPathGesture> gesture_;
    // Where a point drag was grabbed, in path coordinates.
    CPathPoint grabbedAt_;
    bool movingView_ = false;
};

}  // namespace plexion
