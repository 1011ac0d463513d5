#include <QPainter>

#include <cmath>

#include "bitmap_item.h"
#include "color_conversion.h"
#include "grid_number_text.h"
#include "path_painting.h"
#include "resource_container.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"

namespace plexion {
namespace {

constexpr int kSquareSize = 20;
constexpr int kSquareAlpha = 128;
constexpr int kLabelMargin = 4;

// The interface colour of shapes, point marks and the object's square.
QColor ShapeColor() {
    return InterfaceQColor(InterfaceColor::DialogSpottedFace);
}

}  // namespace

QPointF CTrajectoryPreview::ObjectWorldPosition() const {
    const CVKT_Trajectory* trajectory = Trajectory();
    if (trajectory == nullptr) {
        return {};
    }
    const double t = state_.Cursor().Parameter();
    return QPointF(std::trunc(trajectory->XAt(t)), std::trunc(trajectory->YAt(t)));
}

void CTrajectoryPreview::paintEvent(QPaintEvent*) {
    PaintBuffer();
    QPainter(this).drawImage(0, 0, buffer_);
    frameRate_.Tick();
}

void CTrajectoryPreview::PaintBuffer() {
    if (buffer_.size() != size()) {
        buffer_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    }
    if (buffer_.isNull()) {
        return;
    }
    buffer_.fill(InterfaceQColor(InterfaceColor::DialogFace));
    const CVKT_Trajectory* trajectory = Trajectory();
    const bool drawing = gesture_ && gesture_->IsStroke();
    if (follow_ && trajectory != nullptr && !drawing) {
        // The object stays in the middle and the world moves past it.
        SetViewOffset(ObjectWorldPosition() - QPointF(width() / 2, height() / 2));
    }
    const QPoint origin = -viewOffset_;
    {
        QPainter painter(&buffer_);
        if (trajectory != nullptr) {
            const QPointF object = ObjectWorldPosition() + QPointF(origin);
            PaintBackground(painter, origin);
            PaintObject(painter, QPoint(TruncateToInt(object.x()), TruncateToInt(object.y())));
        }
        PaintAxes(painter, origin);
    }
    if (trajectory == nullptr) {
        return;
    }
    CPathPicture picture;
    picture.points = ShownPoints();
    picture.type = trajectory->Type();
    picture.origin = QPointF(origin) + QPointF(trajectory->OffsetX(), trajectory->OffsetY());
    picture.centerOfMass = trajectory->CenterOfMass();
    picture.shapeColor = ShapeColor();
    picture.endsOnly = hide_;
    PaintPath(buffer_, picture);
    QPainter painter(&buffer_);
    PaintLabel(painter);
}

void CTrajectoryPreview::PaintBackground(QPainter& painter, QPoint origin) {
    if (const CVKT_Bitmap* bitmap = container_->GetAt<CVKT_Bitmap>(backgroundChoice_ - 1)) {
        bitmap->Draw(painter, origin.x(), origin.y());
    }
}

void CTrajectoryPreview::PaintObject(QPainter& painter, QPoint object) {
    if (objectAnimation_ >= 0 && state_.ObjectAnimation().Draw(painter, object.x(), object.y())) {
        return;
    }
    if (const CVKT_Bitmap* bitmap = container_->GetAt<CVKT_Bitmap>(objectChoice_ - 1)) {
        bitmap->Draw(painter, object.x(), object.y());
        return;
    }
    if (Trajectory()->Type() == CVKT_Trajectory::kTypeSimplePoints) {
        QColor square = ShapeColor();
        square.setAlpha(kSquareAlpha);
        painter.fillRect(object.x() - kSquareSize / 2, object.y() - kSquareSize / 2, kSquareSize,
                         kSquareSize, square);
    }
}

void CTrajectoryPreview::PaintAxes(QPainter& painter, QPoint origin) {
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    painter.drawLine(origin.x() - 1, 0, origin.x() - 1, height());
    painter.drawLine(0, origin.y() - 1, width(), origin.y() - 1);
}

void CTrajectoryPreview::PaintLabel(QPainter& painter) {
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    painter.drawText(rect().adjusted(kLabelMargin, kLabelMargin, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop, LabelText());
}

}  // namespace plexion
