#include "resource_grid.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include "color_conversion.h"
#include "custom_scroll_bar.h"
#include "grid_cell_look.h"
#include "grid_fonts.h"

namespace plexion {
namespace {

constexpr int kPageRows = 10;
constexpr int kLinePadding = 4;
// Pixels (at zoom 1) a step button or a wheel notch scrolls.
constexpr double kVerticalStep = CGridSheet::kNewRowHeight;
constexpr double kHorizontalStep = 20.0;
constexpr int kWheelNotchesPerStep = 1;
constexpr int kWheelStepsPerNotch = 3;
constexpr int kFocusedAlpha = 128;
constexpr int kUnfocusedAlpha = 64;

QColor Translucent(InterfaceColor entry, int alpha) {
    QColor color = InterfaceQColor(entry);
    color.setAlpha(alpha);
    return color;
}

}  // namespace

CResourceGrid::CResourceGrid(QWidget* parent)
    : QWidget(parent),
      horizontal_(new CCustomScrollBar(Qt::Horizontal, this)),
      vertical_(new CCustomScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (CCustomScrollBar* bar : {horizontal_, vertical_}) {
        bar->SetFree(false);
        bar->AttachToolTips(QString());
        connect(bar, &CCustomScrollBar::scrollChanged, this, &CResourceGrid::OnScrolled);
    }
    RecomputeScrollRanges();
}

bool CResourceGrid::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<QPoint> cell = sheet_.CellAt(help->pos());
    const QString text = cell ? CutCellText(cell->x(), cell->y()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), ToolTipText(text), this,
                       sheet_.CellRect(cell->x(), cell->y()));
    return true;
}

QString CResourceGrid::CutCellText(int column, int row) const {
    const QSize wanted = sheet_.MeasureCell(column, row);
    if (wanted.width() <= sheet_.ColumnWidth(column) && wanted.height() <= sheet_.RowHeight(row)) {
        return QString();
    }
    return sheet_.DisplayText(column, row);
}

// Rich text, so that Qt wraps it; a text too long to be read in a tooltip
// ends with "…" (the Edit Value dialog shows it whole).
QString CResourceGrid::ToolTipText(const QString& text) {
    constexpr qsizetype kMaxToolTipCharacters = 2000;
    QString shown = text.left(kMaxToolTipCharacters).toHtmlEscaped();
    shown.replace(u'\n', QStringLiteral("<br>"));
    if (text.size() > kMaxToolTipCharacters) {
        shown += QChar(0x2026);
    }
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + shown + QStringLiteral("</p>");
}

void CResourceGrid::SetStatusPrefix(const QString& prefix) {
    statusPrefix_ = prefix;
}

QString CResourceGrid::PositionText() const {
    const QString prefix = statusPrefix_.isEmpty() ? QString() : statusPrefix_ + "      ";
    return prefix + QString::asprintf("X: %d / %d      Y: %d / %d", sheet_.CursorColumn(),
                                      sheet_.ColumnCount(), sheet_.CursorRow(), sheet_.RowCount());
}

void CResourceGrid::RefreshPositionLine() {
    update(PositionLineArea());
}

QRect CResourceGrid::PositionLineArea() const {
    const int height = fontMetrics().height() + kLinePadding;
    return QRect(0, std::max(0, this->height() - height), width(), height);
}

QRect CResourceGrid::SheetArea() const {
    const int bar = CCustomScrollBar::kButtonSize;
    return QRect(0, 0, std::max(0, width() - bar), std::max(0, PositionLineArea().top() - bar));
}

void CResourceGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect area = SheetArea();
    const int bar = CCustomScrollBar::kButtonSize;
    vertical_->setGeometry(area.right() + 1, 0, bar, area.height());
    horizontal_->setGeometry(0, area.bottom() + 1, area.width(), bar);
    RecomputeScrollRanges();
}

void CResourceGrid::RecomputeScrollRanges() {
    sheet_.SetVisibleRect(SheetArea());
    sheet_.SetMaxFittedColumnWidth(SheetArea().width());
    const QSizeF extent = sheet_.ScrollExtent();
    const QSizeF page = sheet_.ScrollPage();
    horizontal_->SetRange(0.0, extent.width());
    horizontal_->SetPage(page.width());
    horizontal_->SetStep(kHorizontalStep * sheet_.ZoomX());
    vertical_->SetRange(0.0, extent.height());
    vertical_->SetPage(page.height());
    vertical_->SetStep(kVerticalStep * sheet_.ZoomY());
    SyncScrollBars();
    update();
}

void CResourceGrid::SyncScrollBars() {
    horizontal_->SetPosition(sheet_.ScrollPosition().x());
    vertical_->SetPosition(sheet_.ScrollPosition().y());
    horizontal_->update();
    vertical_->update();
}

void CResourceGrid::OnScrolled() {
    sheet_.SetScrollPosition(QPointF(horizontal_->Position(), vertical_->Position()));
    // The bars centre a page larger than the content; the sheet keeps its
    // start in view instead, and the bars show where it really is.
    SyncScrollBars();
    update(SheetArea());
}

void CResourceGrid::ScrollBy(double dx, double dy) {
    sheet_.SetScrollPosition(sheet_.ScrollPosition() + QPointF(dx, dy));
    SyncScrollBars();
    update(SheetArea());
}

void CResourceGrid::ScrollCellIntoView(int column, int row) {
    const QPointF before = sheet_.ScrollPosition();
    sheet_.ScrollIntoView(column, row);
    if (sheet_.ScrollPosition() != before) {
        SyncScrollBars();
        update(SheetArea());
    }
}

void CResourceGrid::MoveCursorTo(int column, int row) {
    const QPoint old = sheet_.Cursor();
    previousCursor_ = old;
    sheet_.SetCursor(column, row);
    RepaintCell(old.x(), old.y());
    RepaintCell(sheet_.CursorColumn(), sheet_.CursorRow());
    ScrollCellIntoView(sheet_.CursorColumn(), sheet_.CursorRow());
    RefreshPositionLine();
}

void CResourceGrid::MoveCursorByUser(QPoint target, bool sweep) {
    MoveCursorTo(target.x(), target.y());
    emit cursorChanged(this);
    if (sweep) {
        emit rangeSwept(this, previousCursor_, sheet_.Cursor());
    }
}

void CResourceGrid::RepaintCell(int column, int row) {
    update(sheet_.CellRect(column, row).intersected(SheetArea()));
}

void CResourceGrid::RepaintRow(int row) {
    RepaintRows(row, row);
}

void CResourceGrid::RepaintRows(int first, int last) {
    if (first > last) {
        std::swap(first, last);
    }
    const QRect area = SheetArea();
    const QRect top = sheet_.CellRect(0, first);
    const QRect bottom = sheet_.CellRect(0, last);
    update(QRect(area.left(), top.top(), area.width(), bottom.bottom() - top.top() + 1)
               .intersected(area));
}

void CResourceGrid::AddToolTip(QWidget* control, const QString& text) {
    if (auto* bar = qobject_cast<CCustomScrollBar*>(control)) {
        bar->AttachToolTips(text);
    } else if (control != nullptr) {
        control->setToolTip(text);
    }
}

bool CResourceGrid::MoveByKey(const QKeyEvent& event) {
    if (sheet_.ColumnCount() == 0 || sheet_.RowCount() == 0) {
        return false;
    }
    const bool control = event.modifiers() & Qt::ControlModifier;
    const QPoint cursor = sheet_.Cursor();
    const QPoint last(sheet_.ColumnCount() - 1, sheet_.RowCount() - 1);
    QPoint target = cursor;
    switch (event.key()) {
        case Qt::Key_Left:
            target.rx() -= 1;
            break;
        case Qt::Key_Right:
            target.rx() += 1;
            break;
        case Qt::Key_Up:
            target.ry() -= 1;
            break;
        case Qt::Key_Down:
            target.ry() += 1;
            break;
        case Qt::Key_PageUp:
            target.ry() -= kPageRows;
            break;
        case Qt::Key_PageDown:
            target.ry() += kPageRows;
            break;
        case Qt::Key_Home: {
            const QPoint first(std::min(sheet_.FixedColumnCount(), last.x()),
                               std::min(sheet_.FixedRowCount(), last.y()));
            target = control && cursor == first ? QPoint(0, 0) : first;
            break;
        }
        case Qt::Key_End:
            // End first reaches the end of the row, then the last row;
            // Control+End goes straight to the last cell.
            if (control) {
                target = last;
            } else if (cursor.x() != last.x()) {
                target.setX(last.x());
            } else {
                target.setY(last.y());
            }
            break;
        default:
            return false;
    }
    const bool sweep = (event.modifiers() & Qt::ShiftModifier) && !control;
    MoveCursorByUser(target, sweep);
    return true;
}

void CResourceGrid::keyPressEvent(QKeyEvent* event) {
    if (MoveByKey(*event)) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EditCell(QString());
            return;
        case Qt::Key_Backspace:
        case Qt::Key_Escape:
            return;
        default:
            break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool controlOnly = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    const QString text = event->text();
    if (controlOnly || text.isEmpty() || !text[0].isPrint()) {
        QWidget::keyPressEvent(event);
        return;
    }
    EditCell(text);
}

bool CResourceGrid::EditCell(const QString& typed) {
    const int column = sheet_.CursorColumn();
    const int row = sheet_.CursorRow();
    CGridCell* cell = sheet_.Cell(column, row);
    if (cell == nullptr || !cell->GetEditable()) {
        return false;
    }
    CGridEditRequest request{cell, column, row, typed, false};
    emit editRequested(this, &request);
    if (request.handled) {
        RepaintCell(column, row);
        emit cellEdited(this);
        return true;
    }
    // The owner may have rebuilt the sheet while it was asked, and dialogs
    // run their own event loop: the edit works on a copy and is written
    // back only to a cell of the same type that is still there.
    cell = sheet_.Cell(column, row);
    if (cell == nullptr || !cell->GetEditable()) {
        return false;
    }
    CGridCell edited = *cell;
    if (!edited.EditCell(this, sheet_.CellRect(column, row), sheet_.DisplayText(column, row),
                         typed)) {
        return false;
    }
    cell = sheet_.Cell(column, row);
    if (cell == nullptr || cell->GetType() != edited.GetType()) {
        return false;
    }
    *cell = edited;
    RepaintCell(column, row);
    emit cellEdited(this);
    return true;
}

void CResourceGrid::mousePressEvent(QMouseEvent* event) {
    const std::optional<QPoint> cell = event->button() == Qt::LeftButton
                                           ? sheet_.CellAt(event->position().toPoint())
                                           : std::nullopt;
    if (!cell) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool sweep = (modifiers & Qt::ShiftModifier) && !(modifiers & Qt::ControlModifier);
    MoveCursorByUser(*cell, sweep);
}

void CResourceGrid::wheelEvent(QWheelEvent* event) {
    QPoint notches =
        event->angleDelta() / (QWheelEvent::DefaultDeltasPerStep * kWheelNotchesPerStep);
    if (notches.isNull()) {
        QWidget::wheelEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        notches = QPoint(notches.y(), notches.x());
    }
    ScrollBy(-notches.x() * kWheelStepsPerNotch * kHorizontalStep * sheet_.ZoomX(),
             -notches.y() * kWheelStepsPerNotch * kVerticalStep * sheet_.ZoomY());
    event->accept();
}

void CResourceGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = SheetArea();
    PaintCells(painter, event->rect().intersected(area));
    painter.setClipping(false);
    const QRect corner(area.right() + 1, area.bottom() + 1, width() - area.width(),
                       PositionLineArea().top() - area.bottom() - 1);
    painter.fillRect(corner, InterfaceQColor(InterfaceColor::DialogFace));
    if (event->rect().intersects(PositionLineArea())) {
        PaintPositionLine(painter);
    }
}

void CResourceGrid::PaintCells(QPainter& painter, const QRect& dirty) {
    if (dirty.isEmpty()) {
        return;
    }
    painter.fillRect(dirty, InterfaceQColor(InterfaceColor::DialogFace));
    const QFont font = ZoomedFont(GridInterfaceFont(), sheet_.ZoomY());
    const QFont bold = ZoomedFont(GridBoldSystemFont(), sheet_.ZoomY());
    const QRect area = sheet_.VisibleRect();
    const int fixedColumns = std::min(sheet_.FixedColumnCount(), sheet_.ColumnCount());
    const int fixedRows = std::min(sheet_.FixedRowCount(), sheet_.RowCount());
    const int fixedRight =
        area.left() + static_cast<int>(std::lround(sheet_.ColumnLeft(fixedColumns)));
    const int fixedBottom = area.top() + static_cast<int>(std::lround(sheet_.RowTop(fixedRows)));
    const auto [firstColumn, lastColumn] = sheet_.VisibleColumns();
    const auto [firstRow, lastRow] = sheet_.VisibleRows();
    const QPoint cursor = sheet_.Cursor();

    struct CPart {
        QRect clip;
        int column0, column1, row0, row1;
    };
    // The scrolling cells first, then the fixed ones over their edges.
    const CPart parts[] = {
        {QRect(QPoint(fixedRight, fixedBottom), area.bottomRight()), firstColumn, lastColumn,
         firstRow, lastRow},
        {QRect(QPoint(fixedRight, area.top()), QPoint(area.right(), fixedBottom - 1)), firstColumn,
         lastColumn, 0, fixedRows - 1},
        {QRect(QPoint(area.left(), fixedBottom), QPoint(fixedRight - 1, area.bottom())), 0,
         fixedColumns - 1, firstRow, lastRow},
        {QRect(area.topLeft(), QPoint(fixedRight - 1, fixedBottom - 1)), 0, fixedColumns - 1, 0,
         fixedRows - 1},
    };
    for (const CPart& part : parts) {
        const QRect clip = part.clip.intersected(dirty);
        if (clip.isEmpty()) {
            continue;
        }
        painter.setClipRect(clip);
        for (int column = part.column0; column <= part.column1; ++column) {
            for (int row = part.row0; row <= part.row1; ++row) {
                const QRect rect = sheet_.CellRect(column, row);
                if (!rect.intersects(clip)) {
                    continue;
                }
                const CGridCell& cell = *sheet_.Cell(column, row);
                const CGridCellLook look{sheet_.IsFixedCell(column, row),
                                         sheet_.IsHighlighted(column, row), &font, &bold,
                                         sheet_.ColumnWidth(column)};
                cell.Draw(painter, rect, look, cell.DisplayText(sheet_, column, row));
                if (cursor == QPoint(column, row)) {
                    painter.fillRect(
                        rect, hasFocus()
                                  ? Translucent(InterfaceColor::FocusedArea, kFocusedAlpha)
                                  : Translucent(InterfaceColor::UnfocusedArea, kUnfocusedAlpha));
                }
            }
        }
    }
}

void CResourceGrid::PaintPositionLine(QPainter& painter) {
    const QRect line = PositionLineArea();
    painter.fillRect(line, InterfaceQColor(InterfaceColor::DialogFace));
    painter.setFont(GridInterfaceFont());
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    painter.drawText(line.adjusted(kLinePadding, 0, -kLinePadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, PositionText());
}

}  // namespace plexion
