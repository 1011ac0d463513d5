#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace plexion {

// The CAP, NUM and SCRL panes at the right of the status bar: a pane reads
// clearly while its lock is on and greyed while it is off.
//
// Qt has no query for lock states. The key events of the window system
// carry its modifier state, in which X11 and Wayland's xkb name Caps Lock
// (bit 1) and, as every common keymap binds it, Num Lock (bit 4); so the
// panes follow the state of the last key event. No modifier carries Scroll
// Lock, whose pane therefore only follows its own key.
class CLockKeyIndicators : public QObject {
    Q_OBJECT
public:
    explicit CLockKeyIndicators(QStatusBar& statusBar);
    ~CLockKeyIndicators() override;

    QLabel* CapsPane() const { return caps_; }
    QLabel* NumPane() const { return num_; }
    QLabel* ScrollPane() const { return scroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
};

}  // namespace plexion
