// Drawing bitmaps and drawing into them.
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "bitmap_item.h"

namespace plexion {
namespace {

QColor ToQColor(ColorRef color, int alpha = 255) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color), alpha);
}

// Offsets come from files and may be anything: a position that is no number
// draws at 0, and far positions stop where no drawing reaches anyway.
int WholePixel(double position) {
    constexpr double kFar = 1 << 30;
    return std::isnan(position) ? 0
                                : static_cast<int>(std::clamp(std::trunc(position), -kFar, kFar));
}

}  // namespace

CBitmapPainter::CBitmapPainter(CVKT_Bitmap& bitmap) {
    QImage* target = &bitmap.image_;
    if (bitmap.kind_ == CVKT_Bitmap::kKindDib8) {
        palettized_ = bitmap.image_.convertToFormat(QImage::Format_RGB32);
        target = &palettized_;
    }
    if (target->isNull()) {
        return;
    }
    bitmap_ = &bitmap;
    painter_ = std::make_unique<QPainter>(target);
}

CBitmapPainter::CBitmapPainter(CBitmapPainter&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      palettized_(std::move(other.palettized_)),
      painter_(std::move(other.painter_)) {}

CBitmapPainter::~CBitmapPainter() {
    if (!painter_) {
        return;
    }
    painter_->end();
    if (!palettized_.isNull()) {
        bitmap_->image_ =
            palettized_.convertToFormat(QImage::Format_Indexed8, bitmap_->image_.colorTable());
    }
}

CBitmapPainter CVKT_Bitmap::GetDrawingContext() {
    switch (kind_) {
        case kKindGdi:
        case kKindDib8:
        case kKindDib16:
        case kKindDib32:
        case kKindImage:
            return CBitmapPainter(*this);
        default:
            return {};
    }
}

namespace {

// White, as the interface's default dialog text, until the editor says
// otherwise; the tool keeps it.
std::atomic<ColorRef> regionColor{MakeColor(255, 255, 255)};

}  // namespace

void CVKT_Bitmap::SetRegionColor(ColorRef color) {
    regionColor.store(color, std::memory_order_relaxed);
}

ColorRef CVKT_Bitmap::RegionColor() {
    return regionColor.load(std::memory_order_relaxed);
}

QPoint CVKT_Bitmap::DrawOrigin(double x, double y) const {
    return {WholePixel(x + offsetX_), WholePixel(y + offsetY_)};
}

bool CVKT_Bitmap::Draw(QPainter& painter, double x, double y) const {
    const QPoint origin = DrawOrigin(x, y);
    switch (kind_) {
        case kKindDib8:
        case kKindDib16:
            painter.drawImage(origin, image_, QRect(0, 0, requestedWidth_, image_.height()));
            return true;
        case kKindDib32:
            painter.drawImage(origin, image_);
            return true;
        case kKindRegion: {
            const QRegion moved = region_.translated(origin);
            painter.save();
            painter.setClipRegion(moved, Qt::IntersectClip);
            const QColor fill = ToQColor(RegionColor(), 128);
            for (const QRect& rect : moved) {
                painter.fillRect(rect, fill);
            }
            painter.restore();
            return true;
        }
        case kKindImage:
            if (image_.isNull()) {
                return false;
            }
            painter.drawImage(origin, image_);
            return true;
        default:
            return false;
    }
}

bool CVKT_Bitmap::DrawScaled(QPainter& painter, double x, double y, double width,
                             double height) const {
    if (kind_ == kKindImage && !image_.isNull() &&
        (displayWidth_ != width || displayHeight_ != height)) {
        const QRectF target(x + offsetX_, y + offsetY_, width, height);
        if (!std::isfinite(target.x()) || !std::isfinite(target.y()) ||
            !std::isfinite(target.width()) || !std::isfinite(target.height())) {
            return false;
        }
        painter.drawImage(target, image_);
        return true;
    }
    return Draw(painter, x, y);
}

bool CVKT_Bitmap::DrawOnto(CVKT_Bitmap& target, double x, double y) const {
    CBitmapPainter painter = target.GetDrawingContext();
    return painter && Draw(*painter, x, y);
}

bool CVKT_Bitmap::Fill(ColorRef color, double alpha) {
    CBitmapPainter painter = GetDrawingContext();
    if (!painter) {
        return false;
    }
    const int a = std::clamp(static_cast<int>(std::trunc(alpha * 255)), 0, 255);
    painter->fillRect(0, 0, image_.width(), image_.height(), ToQColor(color, a));
    return true;
}

bool CVKT_Bitmap::FillOpaque(ColorRef color) {
    CBitmapPainter painter = GetDrawingContext();
    if (!painter) {
        return false;
    }
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->fillRect(0, 0, image_.width(), image_.height(), ToQColor(color));
    return true;
}

ColorRef CVKT_Bitmap::GetPixel(int x, int y) const {
    const QImage* image = Image();
    if (!image || !image->valid(x, y)) {
        return kInvalidColor;
    }
    const QRgb pixel = image->pixel(x, y);
    return MakeColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

bool CVKT_Bitmap::SetPixel(int x, int y, ColorRef color) {
    if (!Image() || !image_.valid(x, y)) {
        return false;
    }
    if (kind_ == kKindDib8) {
        CBitmapPainter painter = GetDrawingContext();
        painter->setPen(ToQColor(color));
        painter->drawPoint(x, y);
        return true;
    }
    image_.setPixel(x, y, qRgb(RedOf(color), GreenOf(color), BlueOf(color)));
    return true;
}

void CVKT_Bitmap::SetRegion(const QRegion& region) {
    Reset();
    kind_ = kKindRegion;
    region_ = region;
}

const QRegion* CVKT_Bitmap::Region() const {
    return kind_ == kKindRegion ? &region_ : nullptr;
}

bool CVKT_Bitmap::PointInRegion(int x, int y) const {
    return kind_ == kKindRegion && region_.contains(QPoint(x, y));
}

}  // namespace plexion
