#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <vector>

class QPainter;

namespace plexion {

// Thin straight lines (outlines, frames, crosshairs) written into the
// pixels under a painter instead of through it. Through the painter each
// one-pixel line costs a state check, a span setup and, when tall, a hand-
// over to Qt's thread pool: for a preview that outlines hundreds of small
// pictures this is most of the repaint. The writer is taken once per paint,
// after the painter's clip is set; it writes only where the painter may
// paint, and where the painter is not a plain raster image under a
// translation it fills through the painter, which gives the same pixels.
class CPixelLines {
public:
    explicit CPixelLines(QPainter& painter);

    // `rect` (painter coordinates) filled with `color` over what is there.
    void Fill(const QRect& rect, const QColor& color) const;

private:
    bool Direct() const;
    void Blend(const QRect& rect, quint32 premultiplied) const;

    QPainter& painter_;
    // The painter's own buffer, written as the painter writes it: taking it
    // through the image would detach a shared image from the painter.
    uchar* pixels_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    QPoint offset_;
    std::vector<QRect> writable_;
};

}  // namespace plexion
