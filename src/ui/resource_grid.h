#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include "grid_sheet.h"

namespace plexion {

class CCustomScrollBar;

// What the grid asks its owner before it edits a cell. An owner that sets
// `handled` has done the edit itself.
struct CGridEditRequest {
    CGridCell* cell = nullptr;
    int column = 0;
    int row = 0;
    // The character that started the edit; empty when Return did.
    QString typed;
    bool handled = false;
};

// The grid window of a resource panel: draws the visible cells of its sheet,
// moves the cursor with the keyboard and the mouse, edits cells in place or
// in dialogs, scrolls with two of the editor's scroll bars and shows where
// the cursor stands in a position line at the bottom.
class CResourceGrid : public QWidget {
    Q_OBJECT
public:
    explicit CResourceGrid(QWidget* parent = nullptr);

    CGridSheet& Sheet() { return sheet_; }
    const CGridSheet& Sheet() const { return sheet_; }

    // Put before the position line, six spaces apart from it.
    void SetStatusPrefix(const QString& prefix);
    QString StatusPrefix() const { return statusPrefix_; }
    QString PositionText() const;
    void RefreshPositionLine();

    // Moves the cursor for the owner (no notification), remembering where it
    // was and scrolling the cell into view.
    void MoveCursorTo(int column, int row);
    QPoint PreviousCursor() const { return previousCursor_; }
    void ScrollCellIntoView(int column, int row);
    void RepaintCell(int column, int row);
    void RepaintRow(int row);
    void RepaintRows(int first, int last);
    // After the sheet's size, zoom or contents changed.
    void RecomputeScrollRanges();

    // Edits the cursor cell as a typed character (`typed`) or Return (empty)
    // would; returns whether the cell changed.
    bool EditCell(const QString& typed);

    // Gives another control of the panel a tooltip through the same tooltip
    // the grid's scroll bars use.
    void AddToolTip(QWidget* control, const QString& text);

    CCustomScrollBar* HorizontalScrollBar() const { return horizontal_; }
    CCustomScrollBar* VerticalScrollBar() const { return vertical_; }
    // The area the sheet is drawn in, and the position line below it.
    QRect SheetArea() const;
    QRect PositionLineArea() const;
    // The text of a cell its column or row cuts, empty for one shown whole.
    QString CutCellText(int column, int row) const;
    static QString ToolTipText(const QString& text);

signals:
    void cursorChanged(plexion::CResourceGrid* grid);
    void editRequested(plexion::CResourceGrid* grid, plexion::CGridEditRequest* request);
    void cellEdited(plexion::CResourceGrid* grid);
    void rangeSwept(plexion::CResourceGrid* grid, QPoint previous, QPoint clicked);

protected:
    // A cut cell shows its whole text in a tooltip.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool MoveByKey(const QKeyEvent& event);
    // A move made by the user: remembered, scrolled to and notified, and a
    // sweep when `sweep` is set.
    void MoveCursorByUser(QPoint target, bool sweep);
    void OnScrolled();
    void ScrollBy(double dx, double dy);
    void SyncScrollBars();
    void PaintCells(QPainter& painter, const QRect& dirty);
    void PaintPositionLine(QPainter& painter);

    CGridSheet sheet_;
    QPoint previousCursor_;
    QString statusPrefix_;
    CCustomScrollBar* horizontal_ = nullptr;
    CCustomScrollBar* vertical_ = nullptr;
};

}  // namespace plexion
