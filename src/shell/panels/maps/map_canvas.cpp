#include "map_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "color_conversion.h"
#include "map_item.h"

namespace plexion {
namespace {

// A wheel notch scrolls this many view pixels.
constexpr double kWheelStep = 48.0;
constexpr int kWheelNotch = 120;
// Grid lines closer than this would hide the cells.
constexpr double kMinGridSpacing = 4.0;

QSizeF MapPixels(const CVKT_Map* map) {
    if (map == nullptr || map->SizeX() < 1 || map->SizeY() < 1) {
        return {};
    }
    return {static_cast<double>(map->SizeX()) * map->Columns(),
            static_cast<double>(map->SizeY()) * map->Lines()};
}

}  // namespace

CMapCanvas::CMapCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMapCanvas::SetSource(const CVKT_ResourceContainer* document, MapSource source) {
    document_ = document;
    source_ = std::move(source);
    Reload();
}

const CVKT_Map* CMapCanvas::Map() const {
    return document_ != nullptr && source_ ? source_() : nullptr;
}

void CMapCanvas::Reload() {
    CancelDrag();
    viewport_.SetMapSize(MapPixels(Map()));
    update();
    emit viewChanged();
}

void CMapCanvas::ScrollTo(QPointF scroll) {
    if (viewport_.SetScroll(scroll)) {
        update();
        emit viewChanged();
    }
}

void CMapCanvas::ZoomAbout(double zoom, QPointF anchor) {
    if (viewport_.SetZoom(zoom, anchor)) {
        update();
        emit viewChanged();
    }
}

void CMapCanvas::StepZoom(int steps) {
    ZoomAbout(viewport_.SteppedZoom(steps), QPointF(width() / 2.0, height() / 2.0));
}

void CMapCanvas::SetGridLines(bool shown) {
    if (gridLines_ != shown) {
        gridLines_ = shown;
        update();
    }
}

void CMapCanvas::ClearStroke() {
    if (!stroke_.Empty()) {
        stroke_.Clear();
        update();
    }
}

std::optional<map_cells::CCell> CMapCanvas::CellAt(QPointF view) const {
    const CVKT_Map* map = Map();
    if (map == nullptr) {
        return std::nullopt;
    }
    const QPointF point = viewport_.ToMap(view);
    const int column = map->ColumnAt(static_cast<std::int64_t>(std::floor(point.x())));
    const int line = map->LineAt(static_cast<std::int64_t>(std::floor(point.y())));
    if (column < 0 || line < 0) {
        return std::nullopt;
    }
    return map_cells::CCell{column, line};
}

QRect CMapCanvas::CellRect(int column, int line) const {
    const CVKT_Map* map = Map();
    if (map == nullptr) {
        return {};
    }
    const QRectF cell = viewport_.ToView(QRectF(static_cast<double>(column) * map->SizeX(),
                                                static_cast<double>(line) * map->SizeY(),
                                                map->SizeX(), map->SizeY()));
    return cell.toAlignedRect();
}

void CMapCanvas::paintEvent(QPaintEvent* event) {
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.fillRect(dirty, InterfaceQColor(InterfaceColor::DialogFace).darker(115));
    const CVKT_Map* map = Map();
    if (map == nullptr) {
        return;
    }
    const QRectF onMap = viewport_.ToView(QRectF(QPointF(0, 0), viewport_.MapSize()));
    painter.fillRect(onMap.intersected(dirty), InterfaceQColor(InterfaceColor::WindowFace));
    painter.save();
    painter.setClipRect(dirty);
    painter.translate(-viewport_.Scroll());
    painter.scale(viewport_.Zoom(), viewport_.Zoom());
    const QRect clip = viewport_.MapRectOf(dirty);
    map->Draw(*document_, painter, 0, 0, 0, 0, clip.left(), clip.top(), clip.right() + 1,
              clip.bottom() + 1, stroke_.Empty() ? nullptr : &stroke_);
    painter.restore();
    if (gridLines_) {
        DrawGridLines(painter, *map, dirty);
    }
    if (drag_ == Drag::Rectangle) {
        QColor frame = InterfaceQColor(InterfaceColor::FocusedArea);
        painter.setPen(QPen(frame, 2));
        frame.setAlpha(64);
        painter.setBrush(frame);
        painter.drawRect(RectangleInView().adjusted(1, 1, -1, -1));
    }
}

void CMapCanvas::DrawGridLines(QPainter& painter, const CVKT_Map& map, const QRect& dirty) const {
    const double stepX = map.SizeX() * viewport_.Zoom();
    const double stepY = map.SizeY() * viewport_.Zoom();
    if (stepX < kMinGridSpacing || stepY < kMinGridSpacing) {
        return;
    }
    QColor line = InterfaceQColor(InterfaceColor::DialogText);
    line.setAlpha(96);
    painter.setPen(line);
    const QRectF area = viewport_.ToView(QRectF(QPointF(0, 0), viewport_.MapSize()))
                            .intersected(QRectF(dirty).adjusted(-1, -1, 1, 1));
    if (area.isEmpty()) {
        return;
    }
    const QPointF scroll = viewport_.Scroll();
    for (double x = std::ceil((area.left() + scroll.x()) / stepX) * stepX - scroll.x();
         x <= area.right(); x += stepX) {
        painter.drawLine(QPointF(std::round(x), area.top()), QPointF(std::round(x), area.bottom()));
    }
    for (double y = std::ceil((area.top() + scroll.y()) / stepY) * stepY - scroll.y();
         y <= area.bottom(); y += stepY) {
        painter.drawLine(QPointF(area.left(), std::round(y)), QPointF(area.right(), std::round(y)));
    }
}

void CMapCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    viewport_.SetViewSize(size());
    emit viewChanged();
}

void CMapCanvas::mousePressEvent(QMouseEvent* event) {
    Press(event);
}

void CMapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click acts as a click.
    Press(event);
}

void CMapCanvas::Press(QMouseEvent* event) {
    const QPointF point = event->position();
    if (event->button() == Qt::RightButton) {
        Pick(point);
        return;
    }
    if (event->button() != Qt::LeftButton || drag_ != Drag::None) {
        return;
    }
    lastPoint_ = point;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ShiftModifier) && modifiers.testFlag(Qt::ControlModifier)) {
        const std::optional<map_cells::CCell> cell = CellAt(point);
        if (cell) {
            drag_ = Drag::Rectangle;
            rectangleAnchor_ = rectangleEnd_ = *cell;
            update(RectangleInView());
        }
    } else if (modifiers.testFlag(Qt::ShiftModifier)) {
        drag_ = Drag::Scroll;
    } else if (Map() != nullptr) {
        drag_ = Drag::Paint;
        PaintAlong(point, point);
    }
}

void CMapCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = event->position();
    if (const std::optional<map_cells::CCell> cell = CellAt(point)) {
        emit cellHovered(cell->column, cell->line);
    }
    switch (drag_) {
        case Drag::Paint:
            PaintAlong(lastPoint_, point);
            break;
        case Drag::Scroll:
            ScrollTo(viewport_.Scroll() - (point - lastPoint_));
            break;
        case Drag::Rectangle:
            if (const std::optional<map_cells::CCell> cell = CellAt(point);
                cell && *cell != rectangleEnd_) {
                const QRect before = RectangleInView();
                rectangleEnd_ = *cell;
                update(before.united(RectangleInView()));
            }
            break;
        case Drag::None:
            break;
    }
    lastPoint_ = point;
}

void CMapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Drag ended = std::exchange(drag_, Drag::None);
    if (ended == Drag::Paint && !stroke_.Empty()) {
        emit strokeFinished();
    } else if (ended == Drag::Rectangle) {
        update(RectangleInView());
        emit rectangleFilled(std::min(rectangleAnchor_.column, rectangleEnd_.column),
                             std::min(rectangleAnchor_.line, rectangleEnd_.line),
                             std::max(rectangleAnchor_.column, rectangleEnd_.column),
                             std::max(rectangleAnchor_.line, rectangleEnd_.line));
    }
}

void CMapCanvas::PaintAlong(QPointF from, QPointF to) {
    const CVKT_Map* map = Map();
    if (map == nullptr) {
        return;
    }
    const QPointF start = viewport_.ToMap(from);
    const QPointF end = viewport_.ToMap(to);
    // Only the cells whose picture changes are repainted.
    QRegion changed;
    for (const map_cells::CCell& cell :
         map_cells::AlongSegment(*map, start.x(), start.y(), end.x(), end.y())) {
        const std::optional<std::int16_t> waiting = stroke_.Find(cell.column, cell.line);
        if (waiting == paintValue_) {
            continue;
        }
        const std::int16_t shown = waiting.value_or(map->GetCell(cell.column, cell.line));
        stroke_.Set(cell.column, cell.line, paintValue_);
        if (shown != paintValue_) {
            changed += CellRect(cell.column, cell.line);
        }
    }
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void CMapCanvas::Pick(QPointF view) {
    const CVKT_Map* map = Map();
    const std::optional<map_cells::CCell> cell = CellAt(view);
    if (map == nullptr || !cell) {
        return;
    }
    emit cellPicked(
        stroke_.Find(cell->column, cell->line).value_or(map->GetCell(cell->column, cell->line)));
}

void CMapCanvas::CancelDrag() {
    if (drag_ == Drag::Rectangle) {
        update(RectangleInView());
    }
    drag_ = Drag::None;
    ClearStroke();
}

QRect CMapCanvas::RectangleInView() const {
    return CellRect(std::min(rectangleAnchor_.column, rectangleEnd_.column),
                    std::min(rectangleAnchor_.line, rectangleEnd_.line))
        .united(CellRect(std::max(rectangleAnchor_.column, rectangleEnd_.column),
                         std::max(rectangleAnchor_.line, rectangleEnd_.line)));
}

void CMapCanvas::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (delta.y() != 0) {
            ZoomAbout(viewport_.SteppedZoom(delta.y() > 0 ? 1 : -1), event->position());
        }
        event->accept();
        return;
    }
    QPointF move(-delta.x() * kWheelStep / kWheelNotch, -delta.y() * kWheelStep / kWheelNotch);
    if (event->modifiers().testFlag(Qt::ShiftModifier)) {
        move = QPointF(move.y(), move.x());
    }
    ScrollTo(viewport_.Scroll() + move);
    event->accept();
}

void CMapCanvas::keyPressEvent(QKeyEvent* event) {
    const double step = kWheelStep;
    switch (event->key()) {
        case Qt::Key_Escape:
            if (drag_ == Drag::None) {
                QWidget::keyPressEvent(event);
                return;
            }
            CancelDrag();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            StepZoom(1);
            return;
        case Qt::Key_Minus:
            StepZoom(-1);
            return;
        case Qt::Key_Left:
            ScrollTo(viewport_.Scroll() - QPointF(step, 0));
            return;
        case Qt::Key_Right:
            ScrollTo(viewport_.Scroll() + QPointF(step, 0));
            return;
        case Qt::Key_Up:
            ScrollTo(viewport_.Scroll() - QPointF(0, step));
            return;
        case Qt::Key_Down:
            ScrollTo(viewport_.Scroll() + QPointF(0, step));
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace plexion
