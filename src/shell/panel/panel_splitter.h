#pragma once

#include <QWidget>

namespace plexion {

// The vertical bar between a panel's grid and its preview. Dragging it
// tells the owner where the bar's left edge would now stand (in the
// owner's coordinates, kept inside the allowed range); the owner then
// places the bar itself.
class CPanelSplitter : public QWidget {
    Q_OBJECT
public:
    explicit CPanelSplitter(QWidget* parent = nullptr);

    // The positions the bar's left edge may take while dragged.
    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

signals:
    void moved(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int minimum_ = 0;
    int maximum_ = 0;
    // Where in the bar the drag took hold, or -1 while no drag runs.
    int grip_ = -1;
};

}  // namespace plexion
