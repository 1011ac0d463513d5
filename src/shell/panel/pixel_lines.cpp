#include "pixel_lines.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace plexion {
namespace {

bool RasterImage(const QPaintEngine* engine) {
    return engine != nullptr && engine->type() == QPaintEngine::Raster &&
           engine->paintDevice() != nullptr && engine->paintDevice()->devType() == QInternal::Image;
}

bool TakesPlainBlend(const QImage& image) {
    return image.format() == QImage::Format_ARGB32_Premultiplied ||
           image.format() == QImage::Format_RGB32;
}

bool OnlyTranslates(const QTransform& transform) {
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy());
}

// Each 8-bit channel of `pixel` times `alpha` / 255, rounded as the raster
// engine rounds, so written lines match filled ones pixel for pixel.
quint32 ChannelsTimes(quint32 pixel, quint32 alpha) {
    quint32 redBlue = (pixel & 0xff00ffu) * alpha;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    quint32 alphaGreen = ((pixel >> 8) & 0xff00ffu) * alpha;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return alphaGreen | redBlue;
}

}  // namespace

CPixelLines::CPixelLines(QPainter& painter) : painter_(painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (!RasterImage(engine)) {
        return;
    }
    const auto& image = *static_cast<const QImage*>(engine->paintDevice());
    const QTransform& transform = painter.deviceTransform();
    if (!TakesPlainBlend(image) || !OnlyTranslates(transform)) {
        return;
    }
    offset_ = QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    // What the painter may change: the paint's own region (a widget's dirty
    // part), the clip set on the painter, and the image.
    QRegion writable = engine->systemClip().isEmpty() ? QRegion(image.rect())
                                                      : engine->systemClip() & image.rect();
    if (painter.hasClipping()) {
        writable &= painter.clipRegion().translated(offset_);
    }
    writable_.assign(writable.begin(), writable.end());
    pixels_ = const_cast<uchar*>(image.constBits());
    bytesPerLine_ = image.bytesPerLine();
}

bool CPixelLines::Direct() const {
    // Anything that changes how a fill lands sends it through the painter.
    const QTransform& transform = painter_.deviceTransform();
    return pixels_ != nullptr && painter_.opacity() == 1.0 &&
           painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
           OnlyTranslates(transform) &&
           QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy())) == offset_;
}

void CPixelLines::Fill(const QRect& rect, const QColor& color) const {
    if (rect.isEmpty() || color.alpha() == 0) {
        return;
    }
    if (!Direct()) {
        painter_.fillRect(rect, color);
        return;
    }
    const quint32 premultiplied = color.rgba64().premultiplied().toArgb32();
    const QRect onImage = rect.translated(offset_);
    for (const QRect& writable : writable_) {
        Blend(onImage & writable, premultiplied);
    }
}

void CPixelLines::Blend(const QRect& rect, quint32 premultiplied) const {
    if (rect.isEmpty()) {
        return;
    }
    const quint32 keep = 255u - (premultiplied >> 24);
    const auto pixel = [&](quint32 old) {
        return keep == 0 ? premultiplied : premultiplied + ChannelsTimes(old, keep);
    };
    uchar* row = pixels_ + rect.top() * bytesPerLine_ + rect.left() * qsizetype(sizeof(quint32));
    if (rect.width() == 1) {
        // Upright lines are the common case: one pixel a row, no row loop.
        for (int y = 0; y < rect.height(); ++y, row += bytesPerLine_) {
            auto* at = reinterpret_cast<quint32*>(row);
            *at = pixel(*at);
        }
        return;
    }
    for (int y = 0; y < rect.height(); ++y, row += bytesPerLine_) {
        auto* at = reinterpret_cast<quint32*>(row);
        std::transform(at, at + rect.width(), at, pixel);
    }
}

}  // namespace plexion
