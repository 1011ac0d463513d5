#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "grid_cell.h"

namespace plexion {

class CGridTextMeasurer;

// The model behind a grid window: columns of typed cells, row records, the
// fixed header rows and columns, the cursor, highlight levels, sizes, zoom
// and the part of the sheet the window shows.
//
// Sizes are kept at zoom 1; positions (left, top, cell rectangles, scroll
// position) are in window pixels at the current zoom.
class CGridSheet {
public:
    static constexpr double kNewColumnWidth = 100.0;
    static constexpr double kNewRowHeight = 18.0;

    CGridSheet();
    ~CGridSheet();
    CGridSheet(const CGridSheet&) = delete;
    CGridSheet& operator=(const CGridSheet&) = delete;

    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Grow or shrink at the end.
    void SetColumnCount(int count);
    void SetRowCount(int count);
    // New columns and rows hold empty cells; a cursor at or after `index`
    // moves on with its cell.
    void InsertColumns(int index, int count = 1);
    void InsertRows(int index, int count = 1);
    void RemoveColumns(int index, int count = 1);
    void RemoveRows(int index, int count = 1);
    void Clear();

    int FixedColumnCount() const { return fixedColumns_; }
    int FixedRowCount() const { return fixedRows_; }
    void SetFixedColumnCount(int count);
    void SetFixedRowCount(int count);

    // Null outside the sheet. Inline: a search or a fit reads every cell.
    CGridCell* Cell(int column, int row) {
        if (column < 0 || column >= ColumnCount() || row < 0 || row >= RowCount()) {
            return nullptr;
        }
        return &columns_[static_cast<std::size_t>(column)].cells[static_cast<std::size_t>(row)];
    }
    const CGridCell* Cell(int column, int row) const {
        return const_cast<CGridSheet*>(this)->Cell(column, row);
    }
    QString DisplayText(int column, int row) const;
    // DisplayText as CGridCell::DisplayTextView gives it; empty outside.
    QStringView DisplayTextView(int column, int row, CCellTextBuffer& buffer) const;

    int CursorColumn() const { return cursor_.x(); }
    int CursorRow() const { return cursor_.y(); }
    QPoint Cursor() const { return cursor_; }
    // Clamped into the sheet.
    void SetCursor(int column, int row);

    // Moves row `from` to `to` (clamped into the sheet), shifting the rows in
    // between by one; the cursor stays on the row it was on.
    void MoveRow(int from, int to);

    void SetRowHighlight(int row, int level);
    int RowHighlight(int row) const;
    void SetColumnHighlight(int column, int level);
    int ColumnHighlight(int column) const;
    bool IsFixedCell(int column, int row) const;
    bool IsHighlighted(int column, int row) const;

    // Each row or column of the range becomes as large as its largest cell;
    // a column no wider than the limit below.
    void FitRows(int first, int last);
    void FitColumns(int first, int last);
    // Fitted columns grow no wider than `width` (never below a new column's
    // width; 0 lifts the limit): one long text would otherwise push every
    // other column out of sight. Columns fitted before follow the new limit.
    void SetMaxFittedColumnWidth(double width);
    double MaxFittedColumnWidth() const { return maxFittedWidth_; }
    QSize MeasureCell(int column, int row) const;

    double RowHeight(int row) const;
    void SetRowHeight(int row, double height);
    double ColumnWidth(int column) const;
    void SetColumnWidth(int column, double width);

    double ZoomX() const { return zoomX_; }
    double ZoomY() const { return zoomY_; }
    // Factors at or below 0 are refused; the scroll position keeps its place
    // in the content.
    void SetZoom(double x, double y);

    // Edges of the sheet at the current zoom, as if nothing were scrolled;
    // `column` and `row` may be one past the last to give the total extent.
    double ColumnLeft(int column) const;
    double RowTop(int row) const;

    // The window area the sheet is drawn in and how far its scrolling part
    // is scrolled (pixels at the current zoom, never negative nor past the
    // end).
    QRect VisibleRect() const { return visible_; }
    void SetVisibleRect(const QRect& rect);
    QPointF ScrollPosition() const { return scroll_; }
    void SetScrollPosition(QPointF position);
    // The scrolling part: its full extent and the extent that fits beside
    // the fixed rows and columns.
    QSizeF ScrollExtent() const;
    QSizeF ScrollPage() const;

    // A cell's rectangle in window coordinates; fixed cells stay put,
    // the others move with the scroll position.
    QRect CellRect(int column, int row) const;
    // The cell under a window point, if any.
    std::optional<QPoint> CellAt(QPoint point) const;
    // Scrolls the least that brings the cell fully into view (its top-left
    // corner when it is larger than the view).
    void ScrollIntoView(int column, int row);
    // The first and last columns and rows of the scrolling part that are at
    // least partly visible; empty ranges have last < first.
    std::pair<int, int> VisibleColumns() const;
    std::pair<int, int> VisibleRows() const;

    CGridTextMeasurer& Measurer() const;

private:
    struct CColumn {
        std::vector<CGridCell> cells;
        double width = kNewColumnWidth;
        // The width its cells asked for when it was last fitted; 0 once a
        // width was set by hand.
        double fitted = 0.0;
        int highlight = 0;
    };
    struct CRow {
        double height = kNewRowHeight;
        int highlight = 0;
    };

    CColumn NewColumn() const;
    double LimitedWidth(double fitted) const;
    const std::vector<double>& ColumnEdges() const;
    const std::vector<double>& RowEdges() const;
    // Index of the last edge at or before `position`, or -1.
    static int EdgeIndexAt(const std::vector<double>& edges, double position);
    static std::pair<int, int> VisibleRange(const std::vector<double>& edges, double zoom,
                                            int fixed, double scroll, int viewExtent);
    void ClampCursor();
    void ClampScroll();

    std::vector<CColumn> columns_;
    std::vector<CRow> rows_;
    int fixedColumns_ = 0;
    int fixedRows_ = 0;
    QPoint cursor_;
    double maxFittedWidth_ = 0.0;
    double zoomX_ = 1.0;
    double zoomY_ = 1.0;
    QRect visible_;
    QPointF scroll_;

    // Running sums of the sizes at zoom 1, rebuilt when a size changes.
    mutable std::vector<double> columnEdges_;
    mutable std::vector<double> rowEdges_;
    mutable bool columnEdgesValid_ = false;
    mutable bool rowEdgesValid_ = false;
    mutable std::unique_ptr<CGridTextMeasurer> measurer_;
};

}  // namespace plexion
