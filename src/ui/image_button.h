#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

namespace plexion {

// A button that is nothing but its picture: one image while up, another
// while held down. The images are asked for at every paint, so they can
// follow the interface colours.
class CImageButton : public QAbstractButton {
    Q_OBJECT
public:
    using ImageSource = std::function<QPixmap(bool pressed)>;

    explicit CImageButton(ImageSource images, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ImageSource images_;
};

}  // namespace plexion
