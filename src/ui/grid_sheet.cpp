#include "grid_sheet.h"

#include <algorithm>
#include <cmath>

#include "grid_fonts.h"
#include "grid_text_measurer.h"

namespace plexion {
namespace {

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

CGridSheet::CGridSheet() = default;
CGridSheet::~CGridSheet() = default;

CGridSheet::CColumn CGridSheet::NewColumn() const {
    CColumn column;
    column.cells.resize(rows_.size());
    return column;
}

void CGridSheet::SetColumnCount(int count) {
    count = std::max(0, count);
    if (count > ColumnCount()) {
        InsertColumns(ColumnCount(), count - ColumnCount());
    } else if (count < ColumnCount()) {
        RemoveColumns(count, ColumnCount() - count);
    }
}

void CGridSheet::SetRowCount(int count) {
    count = std::max(0, count);
    if (count > RowCount()) {
        InsertRows(RowCount(), count - RowCount());
    } else if (count < RowCount()) {
        RemoveRows(count, RowCount() - count);
    }
}

void CGridSheet::InsertColumns(int index, int count) {
    if (count <= 0) {
        return;
    }
    index = Clamp(index, 0, ColumnCount());
    // Only a cursor standing on a column moves with it; in an empty sheet
    // it stays at the start.
    if (cursor_.x() >= index && cursor_.x() < ColumnCount()) {
        cursor_.rx() += count;
    }
    std::vector<CColumn> added;
    added.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        added.push_back(NewColumn());
    }
    columns_.insert(columns_.begin() + index, std::make_move_iterator(added.begin()),
                    std::make_move_iterator(added.end()));
    columnEdgesValid_ = false;
}

void CGridSheet::InsertRows(int index, int count) {
    if (count <= 0) {
        return;
    }
    index = Clamp(index, 0, RowCount());
    if (cursor_.y() >= index && cursor_.y() < RowCount()) {
        cursor_.ry() += count;
    }
    rows_.insert(rows_.begin() + index, static_cast<std::size_t>(count), CRow{});
    for (CColumn& column : columns_) {
        column.cells.insert(column.cells.begin() + index, static_cast<std::size_t>(count),
                            CGridCell{});
    }
    rowEdgesValid_ = false;
}

void CGridSheet::RemoveColumns(int index, int count) {
    index = Clamp(index, 0, ColumnCount());
    count = Clamp(count, 0, ColumnCount() - index);
    if (count == 0) {
        return;
    }
    if (cursor_.x() >= index + count) {
        cursor_.rx() -= count;
    } else if (cursor_.x() >= index) {
        cursor_.rx() = index;
    }
    columns_.erase(columns_.begin() + index, columns_.begin() + index + count);
    columnEdgesValid_ = false;
    ClampCursor();
    ClampScroll();
}

void CGridSheet::RemoveRows(int index, int count) {
    index = Clamp(index, 0, RowCount());
    count = Clamp(count, 0, RowCount() - index);
    if (count == 0) {
        return;
    }
    if (cursor_.y() >= index + count) {
        cursor_.ry() -= count;
    } else if (cursor_.y() >= index) {
        cursor_.ry() = index;
    }
    rows_.erase(rows_.begin() + index, rows_.begin() + index + count);
    for (CColumn& column : columns_) {
        column.cells.erase(column.cells.begin() + index, column.cells.begin() + index + count);
    }
    rowEdgesValid_ = false;
    ClampCursor();
    ClampScroll();
}

void CGridSheet::Clear() {
    columns_.clear();
    rows_.clear();
    columnEdgesValid_ = false;
    rowEdgesValid_ = false;
    cursor_ = QPoint();
    scroll_ = QPointF();
}

void CGridSheet::SetFixedColumnCount(int count) {
    fixedColumns_ = std::max(0, count);
    ClampScroll();
}

void CGridSheet::SetFixedRowCount(int count) {
    fixedRows_ = std::max(0, count);
    ClampScroll();
}

QString CGridSheet::DisplayText(int column, int row) const {
    const CGridCell* cell = Cell(column, row);
    return cell != nullptr ? cell->DisplayText(*this, column, row) : QString();
}

QStringView CGridSheet::DisplayTextView(int column, int row, CCellTextBuffer& buffer) const {
    const CGridCell* cell = Cell(column, row);
    return cell != nullptr ? cell->DisplayTextView(*this, column, row, buffer) : QStringView();
}

void CGridSheet::SetCursor(int column, int row) {
    cursor_ = QPoint(column, row);
    ClampCursor();
}

void CGridSheet::ClampCursor() {
    cursor_.setX(Clamp(cursor_.x(), 0, std::max(0, ColumnCount() - 1)));
    cursor_.setY(Clamp(cursor_.y(), 0, std::max(0, RowCount() - 1)));
}

void CGridSheet::MoveRow(int from, int to) {
    const int count = RowCount();
    if (count < 2 || from < 0 || from >= count) {
        return;
    }
    to = Clamp(to, 0, count - 1);
    if (from == to) {
        return;
    }
    const auto move = [from, to](auto& items) {
        const auto at = items.begin();
        if (from < to) {
            std::rotate(at + from, at + from + 1, at + to + 1);
        } else {
            std::rotate(at + to, at + from, at + from + 1);
        }
    };
    move(rows_);
    for (CColumn& column : columns_) {
        move(column.cells);
    }
    int& cursor = cursor_.ry();
    if (cursor == from) {
        cursor = to;
    } else if (from < to && cursor > from && cursor <= to) {
        --cursor;
    } else if (to < from && cursor >= to && cursor < from) {
        ++cursor;
    }
    rowEdgesValid_ = false;
}

void CGridSheet::SetRowHighlight(int row, int level) {
    if (row >= 0 && row < RowCount()) {
        rows_[static_cast<std::size_t>(row)].highlight = level;
    }
}

int CGridSheet::RowHighlight(int row) const {
    return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)].highlight : 0;
}

void CGridSheet::SetColumnHighlight(int column, int level) {
    if (column >= 0 && column < ColumnCount()) {
        columns_[static_cast<std::size_t>(column)].highlight = level;
    }
}

int CGridSheet::ColumnHighlight(int column) const {
    return column >= 0 && column < ColumnCount()
               ? columns_[static_cast<std::size_t>(column)].highlight
               : 0;
}

bool CGridSheet::IsFixedCell(int column, int row) const {
    return column < fixedColumns_ || row < fixedRows_;
}

bool CGridSheet::IsHighlighted(int column, int row) const {
    const CGridCell* cell = Cell(column, row);
    if (cell == nullptr) {
        return false;
    }
    return ColumnHighlight(column) >= 1 || RowHighlight(row) >= 1 || cell->GetHighlight() >= 1;
}

CGridTextMeasurer& CGridSheet::Measurer() const {
    if (!measurer_) {
        measurer_ = std::make_unique<CGridTextMeasurer>(GridInterfaceFont());
    }
    return *measurer_;
}

QSize CGridSheet::MeasureCell(int column, int row) const {
    const CGridCell* cell = Cell(column, row);
    return cell != nullptr ? cell->Measure(Measurer(), *this, column, row) : QSize();
}

void CGridSheet::FitRows(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, RowCount() - 1);
    if (first > last || columns_.empty()) {
        return;
    }
    // Column by column, so that each column's cells are read in order.
    std::vector<int> heights(static_cast<std::size_t>(last - first + 1), 0);
    for (int column = 0; column < ColumnCount(); ++column) {
        for (int row = first; row <= last; ++row) {
            int& height = heights[static_cast<std::size_t>(row - first)];
            height = std::max(height, MeasureCell(column, row).height());
        }
    }
    for (int row = first; row <= last; ++row) {
        rows_[static_cast<std::size_t>(row)].height =
            heights[static_cast<std::size_t>(row - first)];
    }
    rowEdgesValid_ = false;
    ClampScroll();
}

void CGridSheet::FitColumns(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, ColumnCount() - 1);
    if (first > last || rows_.empty()) {
        return;
    }
    for (int column = first; column <= last; ++column) {
        int width = 0;
        for (int row = 0; row < RowCount(); ++row) {
            width = std::max(width, MeasureCell(column, row).width());
        }
        CColumn& fitted = columns_[static_cast<std::size_t>(column)];
        fitted.fitted = width;
        fitted.width = LimitedWidth(width);
    }
    columnEdgesValid_ = false;
    ClampScroll();
}

double CGridSheet::LimitedWidth(double fitted) const {
    if (maxFittedWidth_ <= 0.0) {
        return fitted;
    }
    return std::min(fitted, std::max(maxFittedWidth_, kNewColumnWidth));
}

void CGridSheet::SetMaxFittedColumnWidth(double width) {
    width = std::max(width, 0.0);
    if (width == maxFittedWidth_) {
        return;
    }
    maxFittedWidth_ = width;
    for (CColumn& column : columns_) {
        if (column.fitted > 0.0) {
            column.width = LimitedWidth(column.fitted);
        }
    }
    columnEdgesValid_ = false;
    ClampScroll();
}

double CGridSheet::RowHeight(int row) const {
    return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)].height : 0.0;
}

void CGridSheet::SetRowHeight(int row, double height) {
    if (row >= 0 && row < RowCount() && height >= 0) {
        rows_[static_cast<std::size_t>(row)].height = height;
        rowEdgesValid_ = false;
        ClampScroll();
    }
}

double CGridSheet::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? columns_[static_cast<std::size_t>(column)].width
                                                 : 0.0;
}

void CGridSheet::SetColumnWidth(int column, double width) {
    if (column >= 0 && column < ColumnCount() && width >= 0) {
        columns_[static_cast<std::size_t>(column)].width = width;
        columns_[static_cast<std::size_t>(column)].fitted = 0.0;
        columnEdgesValid_ = false;
        ClampScroll();
    }
}

void CGridSheet::SetZoom(double x, double y) {
    if (!(x > 0) || !(y > 0)) {
        return;
    }
    scroll_ = QPointF(scroll_.x() / zoomX_ * x, scroll_.y() / zoomY_ * y);
    zoomX_ = x;
    zoomY_ = y;
    ClampScroll();
}

const std::vector<double>& CGridSheet::ColumnEdges() const {
    if (!columnEdgesValid_) {
        columnEdges_.assign(1, 0.0);
        columnEdges_.reserve(columns_.size() + 1);
        for (const CColumn& column : columns_) {
            columnEdges_.push_back(columnEdges_.back() + column.width);
        }
        columnEdgesValid_ = true;
    }
    return columnEdges_;
}

const std::vector<double>& CGridSheet::RowEdges() const {
    if (!rowEdgesValid_) {
        rowEdges_.assign(1, 0.0);
        rowEdges_.reserve(rows_.size() + 1);
        for (const CRow& row : rows_) {
            rowEdges_.push_back(rowEdges_.back() + row.height);
        }
        rowEdgesValid_ = true;
    }
    return rowEdges_;
}

double CGridSheet::ColumnLeft(int column) const {
    const auto& edges = ColumnEdges();
    return edges[static_cast<std::size_t>(Clamp(column, 0, ColumnCount()))] * zoomX_;
}

double CGridSheet::RowTop(int row) const {
    const auto& edges = RowEdges();
    return edges[static_cast<std::size_t>(Clamp(row, 0, RowCount()))] * zoomY_;
}

void CGridSheet::SetVisibleRect(const QRect& rect) {
    visible_ = rect;
    ClampScroll();
}

QSizeF CGridSheet::ScrollExtent() const {
    const int fixedColumns = std::min(fixedColumns_, ColumnCount());
    const int fixedRows = std::min(fixedRows_, RowCount());
    return QSizeF(ColumnLeft(ColumnCount()) - ColumnLeft(fixedColumns),
                  RowTop(RowCount()) - RowTop(fixedRows));
}

QSizeF CGridSheet::ScrollPage() const {
    const int fixedColumns = std::min(fixedColumns_, ColumnCount());
    const int fixedRows = std::min(fixedRows_, RowCount());
    return QSizeF(std::max(0.0, visible_.width() - ColumnLeft(fixedColumns)),
                  std::max(0.0, visible_.height() - RowTop(fixedRows)));
}

void CGridSheet::SetScrollPosition(QPointF position) {
    scroll_ = position;
    ClampScroll();
}

void CGridSheet::ClampScroll() {
    const QSizeF extent = ScrollExtent();
    const QSizeF page = ScrollPage();
    const double maxX = std::max(0.0, extent.width() - page.width());
    const double maxY = std::max(0.0, extent.height() - page.height());
    // NaN compares false everywhere; treat it as the start.
    scroll_.setX(scroll_.x() > 0 ? std::min(scroll_.x(), maxX) : 0.0);
    scroll_.setY(scroll_.y() > 0 ? std::min(scroll_.y(), maxY) : 0.0);
}

QRect CGridSheet::CellRect(int column, int row) const {
    double left = ColumnLeft(column);
    double right = ColumnLeft(column + 1);
    double top = RowTop(row);
    double bottom = RowTop(row + 1);
    if (column >= fixedColumns_) {
        left -= scroll_.x();
        right -= scroll_.x();
    }
    if (row >= fixedRows_) {
        top -= scroll_.y();
        bottom -= scroll_.y();
    }
    const int x0 = visible_.left() + Round(left);
    const int y0 = visible_.top() + Round(top);
    return QRect(x0, y0, visible_.left() + Round(right) - x0, visible_.top() + Round(bottom) - y0);
}

int CGridSheet::EdgeIndexAt(const std::vector<double>& edges, double position) {
    const auto after = std::upper_bound(edges.begin(), edges.end(), position);
    return static_cast<int>(after - edges.begin()) - 1;
}

std::optional<QPoint> CGridSheet::CellAt(QPoint point) const {
    if (!visible_.contains(point)) {
        return std::nullopt;
    }
    const double x = point.x() - visible_.left() + 0.5;
    const double y = point.y() - visible_.top() + 0.5;
    const double fixedRight = ColumnLeft(std::min(fixedColumns_, ColumnCount()));
    const double fixedBottom = RowTop(std::min(fixedRows_, RowCount()));
    const double sheetX = (x < fixedRight ? x : x + scroll_.x()) / zoomX_;
    const double sheetY = (y < fixedBottom ? y : y + scroll_.y()) / zoomY_;
    const int column = EdgeIndexAt(ColumnEdges(), sheetX);
    const int row = EdgeIndexAt(RowEdges(), sheetY);
    if (column < 0 || column >= ColumnCount() || row < 0 || row >= RowCount()) {
        return std::nullopt;
    }
    return QPoint(column, row);
}

void CGridSheet::ScrollIntoView(int column, int row) {
    const QSizeF page = ScrollPage();
    if (column >= fixedColumns_ && column < ColumnCount()) {
        const double fixedRight = ColumnLeft(fixedColumns_);
        const double left = ColumnLeft(column) - fixedRight;
        const double right = ColumnLeft(column + 1) - fixedRight;
        if (right > scroll_.x() + page.width()) {
            scroll_.setX(right - page.width());
        }
        if (left < scroll_.x()) {
            scroll_.setX(left);
        }
    }
    if (row >= fixedRows_ && row < RowCount()) {
        const double fixedBottom = RowTop(fixedRows_);
        const double top = RowTop(row) - fixedBottom;
        const double bottom = RowTop(row + 1) - fixedBottom;
        if (bottom > scroll_.y() + page.height()) {
            scroll_.setY(bottom - page.height());
        }
        if (top < scroll_.y()) {
            scroll_.setY(top);
        }
    }
    ClampScroll();
}

std::pair<int, int> CGridSheet::VisibleRange(const std::vector<double>& edges, double zoom,
                                             int fixed, double scroll, int viewExtent) {
    const int count = static_cast<int>(edges.size()) - 1;
    fixed = std::min(fixed, count);
    // The scrolling part shows the content from just after the fixed part
    // to the end of the view, shifted by the scroll position.
    const double from = edges[static_cast<std::size_t>(fixed)] + scroll / zoom;
    const double to = (scroll + viewExtent) / zoom;
    const int first = std::max(fixed, EdgeIndexAt(edges, from));
    int last = std::min(count - 1, EdgeIndexAt(edges, to));
    // A cell that starts exactly at the end of the view shows nothing.
    if (last > first && edges[static_cast<std::size_t>(last)] >= to) {
        --last;
    }
    return {first, last};
}

std::pair<int, int> CGridSheet::VisibleColumns() const {
    return VisibleRange(ColumnEdges(), zoomX_, fixedColumns_, scroll_.x(), visible_.width());
}

std::pair<int, int> CGridSheet::VisibleRows() const {
    return VisibleRange(RowEdges(), zoomY_, fixedRows_, scroll_.y(), visible_.height());
}

}  // namespace plexion
