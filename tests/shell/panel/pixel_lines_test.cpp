#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <vector>

#include "pixel_lines.h"

namespace plexion {
namespace {

const std::vector<QRect> kLines = {
    {-3, 10, 200, 1}, {20, -5, 1, 300}, {40, 40, 1, 1}, {5, 90, 60, 1}, {70, 12, 1, 70}};

QImage Background(QImage::Format format) {
    QImage image(120, 100, format);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixelColor(x, y, QColor(x * 2, y * 2, (x * y) % 256, 40 + (x + y) % 200));
        }
    }
    return image;
}

enum class Way { Written, Filled };

void DrawLines(QPainter& painter, Way way, const QColor& color) {
    const CPixelLines lines(painter);
    for (const QRect& line : kLines) {
        if (way == Way::Written) {
            lines.Fill(line, color);
        } else {
            painter.fillRect(line, color);
        }
    }
}

struct CPainterCase {
    const char* name;
    QImage::Format format;
    QTransform transform;
    QRect clip;  // none when empty
    qreal opacity;
};

// Written lines give exactly the pixels the painter's own fill gives, under
// every painter state the previews use and some they do not.
TEST(PixelLines, GiveThePaintersOwnPixels) {
    const std::vector<CPainterCase> cases = {
        {"premultiplied", QImage::Format_ARGB32_Premultiplied, {}, {}, 1.0},
        {"opaque image", QImage::Format_RGB32, {}, {}, 1.0},
        {"translated and clipped", QImage::Format_ARGB32_Premultiplied,
         QTransform::fromTranslate(9, -4), QRect(3, 6, 80, 50), 1.0},
        {"scaled", QImage::Format_ARGB32_Premultiplied, QTransform::fromScale(2, 1.5), {}, 1.0},
        {"translucent painter", QImage::Format_RGB32, {}, {}, 0.5},
        {"other format", QImage::Format_ARGB32, {}, {}, 1.0},
    };
    for (const QColor& color : {QColor(10, 200, 90, 64), QColor(250, 3, 128, 255),
                                QColor(0, 0, 0, 1), QColor(255, 255, 255, 254)}) {
        for (const CPainterCase& test : cases) {
            QImage written = Background(test.format);
            QImage filled = written;
            for (auto [image, way] : {std::pair{&written, Way::Written}, {&filled, Way::Filled}}) {
                QPainter painter(image);
                painter.setTransform(test.transform);
                if (!test.clip.isEmpty()) {
                    painter.setClipRect(test.clip);
                }
                painter.setOpacity(test.opacity);
                DrawLines(painter, way, color);
            }
            EXPECT_EQ(written, filled)
                << test.name << " " << color.name(QColor::HexArgb).toStdString();
        }
    }
}

// A widget paints with a part of itself asked for and at an offset in its
// target: lines stay inside the part and land where the painter's fill lands.
class CLinedWidget : public QWidget {
public:
    explicit CLinedWidget(Way way) : way_(way) { resize(120, 100); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawLines(painter, way_, QColor(30, 60, 220, 100));
    }

private:
    Way way_;
};

TEST(PixelLines, KeepToThePartOfAWidgetBeingPainted) {
    const QRegion part = QRegion(15, 5, 40, 60) + QRegion(60, 30, 50, 20);
    QImage written = Background(QImage::Format_ARGB32_Premultiplied);
    QImage filled = written;
    CLinedWidget writing(Way::Written);
    CLinedWidget filling(Way::Filled);
    writing.render(&written, QPoint(6, 3), part, QWidget::RenderFlags());
    filling.render(&filled, QPoint(6, 3), part, QWidget::RenderFlags());
    EXPECT_EQ(written, filled);
    EXPECT_NE(written, Background(QImage::Format_ARGB32_Premultiplied));
}

}  // namespace
}  // namespace plexion
