#pragma once

#include <QColor>
#include <QPushButton>

namespace plexion {

// A swatch of a colour that opens the colour chooser when pressed. The
// chooser sets red, green and blue; the alpha stays as it was.
class CColorField : public QPushButton {
    Q_OBJECT
public:
    CColorField(const QString& chooserTitle, const QColor& color, QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();

    QString chooserTitle_;
    QColor color_;
};

}  // namespace plexion
