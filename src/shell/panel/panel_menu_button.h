#pragma once

#include <QAbstractButton>

namespace plexion {

// The MENU button of a panel's title strip: a flat caption drawn in the
// current interface colours, sunk while held down. It never takes the
// keyboard focus, which stays in the grid.
class CPanelMenuButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CPanelMenuButton(const QString& caption, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace plexion
