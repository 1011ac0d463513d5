#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPoint>

namespace plexion {

// A button of a preview toolbar: a picture, optionally followed by a text,
// of one of three kinds.
// - Push: clicked once per press.
// - Toggle: checked or not; it shows pressed while checked.
// - Drag: while the mouse is held on it, every movement is reported with
//   `dragged` and the pointer goes back to where the press happened, so the
//   drag never runs into the edge of the screen. With the keyboard focus the
//   arrow keys report steps of one pixel (ten with Shift).
class CToolButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Kind { Push, Toggle, Drag };

    CToolButton(Kind kind, const QPixmap& image, QWidget* parent = nullptr);

    Kind ButtonKind() const { return kind_; }
    // Keeps the button at least `width` pixels wide, and wider while its
    // text needs it.
    void SetMinimumButtonWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // A drag button moved by (dx, dy) pixels.
    void dragged(QPoint delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Kind kind_;
    QPixmap image_;
    int minimumWidth_ = 0;
    // While a drag button is held: where the press happened and where the
    // pointer was last seen, in global coordinates.
    bool dragging_ = false;
    QPoint pressedAt_;
    QPoint lastSeen_;
};

}  // namespace plexion
