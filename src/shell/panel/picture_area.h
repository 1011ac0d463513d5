#pragma once

#include <QPointF>
#include <QRegion>
#include <QString>
#include <QWidget>

#include "frame_rate_meter.h"
#include "picture_drawing.h"
#include "picture_viewport.h"
#include "pixel_lines.h"
#include "shaped_lines.h"

namespace plexion {

// What a picture area shows: the owner draws its pictures on the plane and
// says what they are.
class IPictureContent {
public:
    virtual ~IPictureContent() = default;
    // Draws on the plane as `placement` lays it on the painter; `area` is the
    // part of the painter that shows; thin lines go through `lines`.
    virtual void DrawPictures(QPainter& painter, const CPixelLines& lines,
                              const CPicturePlacement& placement, const QRect& area) = 0;
    // The lines written in the area's lower left corner.
    virtual QString Description() const = 0;
    // Where on the painter the pictures that game steps move are drawn now;
    // the whole area unless the owner knows better.
    virtual QRegion MovingParts(const CPicturePlacement& placement, const QRect& area) const;
};

// A view of a picture plane in the interface's dialog colours: the origin
// with its two lines, the owner's pictures, the owner's description and a
// frame rate meter fed on every repaint.
//
// The user zooms with Ctrl+wheel about the mouse (or Ctrl++ and Ctrl+-
// about the middle), scrolls with the wheel (Shift: sideways), pans with the
// middle button, with Space held and the left button, or with the arrow
// keys, and Ctrl+0 shows 100 % with the origin at its place again. A drag
// with the left button is reported in whole picture pixels, whatever the
// zoom, with the modifiers held at each move; Escape cancels it. An arrow
// key with Shift, Alt or Ctrl is a drag of one picture pixel that way: for
// the keyboard, and for desktops whose window manager takes Alt with the
// mouse for moving windows.
class CPictureArea : public QWidget {
    Q_OBJECT
public:
    explicit CPictureArea(IPictureContent& content, QWidget* parent = nullptr);

    const CPictureViewport& Viewport() const { return viewport_; }
    AlphaView View() const { return view_; }
    void SetView(AlphaView view);
    // The shown zoom, "100 %".
    QString ZoomText() const;
    // "%.2f Fps" of the repaints so far.
    QString FrameRateText() const;
    bool IsDragging() const { return drag_ != Drag::None; }

    // Paints the whole area into `area` of `painter`, as a repaint would.
    void Paint(QPainter& painter, const QRect& area);
    // Repaints only what a game step changes: the owner's moving pictures
    // where the last repaint drew them and where they are now, and the
    // description's lines.
    void UpdateMovingParts();
    // Zooms `steps` steps in (out when negative) keeping the picture pixel
    // under `point` where it is.
    void ZoomAbout(QPoint point, int steps);

signals:
    void dragStarted();
    // The drag moved by `delta` picture pixels since the last report.
    void dragged(QPoint delta, Qt::KeyboardModifiers modifiers);
    void dragFinished();
    void dragCancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Drag { None, Pan, Pictures };

    void EndDrag(bool cancelled);
    void NudgePictures(QPoint toward, Qt::KeyboardModifiers modifiers);
    // The lines of `text` at the bottom left of `room` on a translucent box.
    void DrawDescription(QPainter& painter, const QRect& room, const QString& text);
    CPicturePlacement PlacementIn(const QRect& area) const;
    // The room the description's lines take at the bottom of `area`.
    QRect DescriptionRoom(const QRect& area) const;
    QRegion MovingNow() const;

    IPictureContent& content_;
    CPictureViewport viewport_;
    AlphaView view_ = AlphaView::Normal;
    CFrameRateMeter frameRate_;
    // The description changes on every game step, mostly a number or two.
    CShapedLines shapedLines_;
    // What MovingNow gave around the last repaint.
    QRegion paintedMoving_;
    Drag drag_ = Drag::None;
    bool spaceHeld_ = false;
    QPoint lastMouse_;
    // Screen movement not yet reported: less than a picture pixel.
    QPointF unreported_;
    int wheelZoom_ = 0;
};

}  // namespace plexion
