#pragma once

#include <QAbstractButton>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>

#include "scroll_bar_images.h"
#include "scroll_geometry.h"

namespace plexion {

class CImageButton;

// The editor's own scroll bar: a real position inside a real range (which
// may run backwards), four image buttons for pages and steps, and a track
// whose thumb is dragged. Owners scroll by pixels, rows or zoomed units
// alike and hear of every change the user makes through `scrollChanged`.
class CCustomScrollBar : public QWidget {
    Q_OBJECT
public:
    // The side of the square buttons; the bar is meant to be this thick.
    static constexpr int kButtonSize = 18;

    explicit CCustomScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    void SetOrientation(Qt::Orientation orientation);
    Qt::Orientation Orientation() const;
    bool IsVertical() const { return vertical_; }

    // Gives the buttons their tooltips and the bar its own text, shown while
    // the mouse rests on the track. Without this call the bar shows none.
    void AttachToolTips(const QString& barText);
    QString BarToolTip() const { return barToolTip_; }

    // A free bar lets the buttons move the position outside the range.
    void SetFree(bool free) { free_ = free; }
    bool IsFree() const { return free_; }

    // Plain stores: the owner keeps the values consistent.
    void SetPosition(double position);
    void SetRangeStart(double start);
    void SetRangeEnd(double end);
    void SetRange(double start, double end);
    // Page and step are kept as absolute values.
    void SetPage(double page);
    void SetStep(double step);

    double Position() const { return position_; }
    double RangeStart() const { return range_.start; }
    double RangeEnd() const { return range_.end; }
    double Page() const { return range_.page; }
    double Step() const { return step_; }
    bool IsDragging() const { return dragging_; }

    static int ButtonSize() { return kButtonSize; }
    // The client rectangle less two buttons at each end of the axis.
    QRect TrackRect() const;
    QAbstractButton* Button(ScrollBarButton which) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every change of the position by the user (button, press, drag).
    void scrollChanged(double position);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnButton(ScrollBarButton which);
    void EndDrag();
    void ApplySizePolicy();
    void LayOutButtons();
    void UpdateButtonToolTips();
    int AlongAxis(QPoint point) const;

    bool vertical_ = true;
    bool free_ = true;
    bool dragging_ = false;
    QPoint pressPoint_;
    double pressPosition_ = 0.0;
    bool toolTipsAttached_ = false;
    QString barToolTip_;
    std::array<CImageButton*, 4> buttons_{};
    double position_ = 0.0;
    CScrollRange range_;
    double step_ = 5.0;
};

}  // namespace plexion
