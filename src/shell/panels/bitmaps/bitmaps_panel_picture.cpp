// The Bitmaps panel's picture area: the marked bitmaps and the current one
// at their offsets, and dragging those offsets with the mouse.
#include <QPainter>

#include <utility>

#include "bitmap_item.h"
#include "bitmaps_panel.h"
#include "color_conversion.h"
#include "resource_container.h"
#include "stored_text.h"

namespace plexion {
namespace {

constexpr int kOutlineAlpha = 64;

QString Number(double value) {
    return QString::number(value, 'g', 10);
}

}  // namespace

void CBitmapsPanel::DrawPictures(QPainter& painter, const CPixelLines& lines,
                                 const CPicturePlacement& placement, const QRect& area) {
    const int current = GetCursorItem();
    const auto draw = [&](int item, InterfaceColor outline) {
        const CVKT_Bitmap* bitmap = Item(item);
        if (bitmap == nullptr) {
            return;
        }
        const QPointF at = DraggedBy(item);
        DrawPicture(painter, placement, *bitmap, at, area);
        DrawPictureOutline(lines, PictureRect(placement, *bitmap, at),
                           TranslucentInterfaceColor(outline, kOutlineAlpha));
    };
    for (const int item : GetAffectedItems(true, false)) {
        if (item != current) {
            draw(item, InterfaceColor::DialogText);
        }
    }
    draw(current, InterfaceColor::DialogSpottedFace);
}

QString CBitmapsPanel::Description() const {
    QStringList lines;
    lines << QStringLiteral("Selected: %1").arg(GetAffectedCount());
    const int current = GetCursorItem();
    if (const CVKT_Bitmap* bitmap = Item(current)) {
        const QPointF by = DraggedBy(current);
        lines << QStringLiteral("%1: %2 x %3, Offset %4, %5")
                     .arg(FromStored(bitmap->ID()), Number(bitmap->DisplayWidth()),
                          Number(bitmap->DisplayHeight()), Number(bitmap->OffsetX() + by.x()),
                          Number(bitmap->OffsetY() + by.y()));
    }
    lines << pictureArea_->ZoomText() + QStringLiteral(", ") + pictureArea_->FrameRateText();
    return lines.join(QLatin1Char('\n'));
}

void CBitmapsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    pictureArea_->Paint(painter, preview);
}

void CBitmapsPanel::RedrawPreview() {
    pictureArea_->update();
}

void CBitmapsPanel::RedrawPreviewArea() {
    pictureArea_->update();
}

void CBitmapsPanel::Layout(bool clamp) {
    CKindPanel::Layout(clamp);
    pictureArea_->setGeometry(PreviewRect(rect()));
}

std::vector<int> CBitmapsPanel::DraggedItems(Qt::KeyboardModifiers modifiers) const {
    if (modifiers & Qt::ShiftModifier) {
        return GetAffectedItems(true, true);
    }
    const int current = GetCursorItem();
    if ((modifiers & Qt::AltModifier) && current >= 0) {
        return {current};
    }
    return {};
}

QPointF CBitmapsPanel::DraggedBy(int item) const {
    const auto found = draggedBy_.find(item);
    return found != draggedBy_.end() ? found->second : QPointF();
}

QPointF CBitmapsPanel::DraggedBy(const CVKT_Bitmap& bitmap) const {
    for (const auto& [item, by] : draggedBy_) {
        if (Item(item) == &bitmap) {
            return by;
        }
    }
    return {};
}

void CBitmapsPanel::DragOffsets(QPoint delta, Qt::KeyboardModifiers modifiers) {
    for (const int item : DraggedItems(modifiers)) {
        draggedBy_[item] += QPointF(delta);
        RefreshItemCell(kOffsetX, item + 1);
        RefreshItemCell(kOffsetY, item + 1);
    }
    pictureArea_->update();
}

void CBitmapsPanel::EndOffsetDrag(bool cancelled) {
    // The drag is shown while it lasts and reaches the document once, at
    // its end, as one change.
    const std::map<int, QPointF> moved = std::exchange(draggedBy_, {});
    if (!cancelled && !moved.empty()) {
        EditDocument(QStringLiteral("Move Offsets"), [&](CVKT_ResourceContainer& container) {
            bool any = false;
            for (const auto& [item, by] : moved) {
                CVKT_Bitmap* bitmap = container.GetAt<CVKT_Bitmap>(item);
                if (bitmap != nullptr && !by.isNull()) {
                    bitmap->SetOffsetX(bitmap->OffsetX() + by.x());
                    bitmap->SetOffsetY(bitmap->OffsetY() + by.y());
                    any = true;
                }
            }
            return any;
        });
    }
    for (const auto& [item, by] : moved) {
        RefreshItemCell(kOffsetX, item + 1);
        RefreshItemCell(kOffsetY, item + 1);
    }
    pictureArea_->update();
}

}  // namespace plexion
