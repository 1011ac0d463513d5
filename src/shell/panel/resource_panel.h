#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "find_options.h"

class QAbstractButton;
class QKeyEvent;
class QMenu;
class QPainter;

namespace plexion {

class CPlexionDoc;
class CGridCell;
struct CSearchNeedle;
class CResourceGrid;
class CPanelSplitter;
class CVKT_ResourceContainer;
class CVKT_ResourceGroup;
class IPanelHost;

// The base of the eight panels of a document view: a grid listing the items
// of one resource group (a row number and a Select column, then the kind's
// columns), a title strip with the MENU button, a splitter and a preview
// area. It owns marking, the cursor, moving, grouping, deleting, searching,
// multi-row cell edits, dropped files and the context menu; a kind panel
// supplies its group, columns, cells, item operations and preview.
//
// Every change a panel makes to the document goes through `EditDocument`,
// the document's one editing path.
class CResourcePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 20;
    static constexpr int kSplitterWidth = 7;
    static constexpr int kFirstEditCommand = 10000;
    static constexpr int kSelectColumn = 1;

    // Context menu ids.
    enum MenuCommand {
        kInsertItems = 1,
        kDeleteItems = 2,
        kGroupItems = 3,
        kMoveIndexUp = 4,
        kMoveIndexDown = 5,
        kSelectAll = 6,
        kSelectInvert = 7,
        kSelectNone = 8,
        kRefreshItems = 9,
        kFindPrevious = 10,
        kFind = 11,
        kFindNext = 12,
    };

    explicit CResourcePanel(const QString& title, QWidget* parent = nullptr);
    ~CResourcePanel() override;

    const QString& Title() const { return title_; }
    // Set by the view before the panel is created.
    void SetDocument(CPlexionDoc* document, IPanelHost* host);
    CPlexionDoc* Document() const { return document_; }
    IPanelHost* Host() const { return host_; }
    // Read only: changes go through EditDocument.
    const CVKT_ResourceContainer* Container() const { return container_; }
    bool AcceptsFiles() const { return acceptsFiles_; }
    double SplitRatio() const { return splitRatio_; }
    // Whether the panel's window exists (see CreatePanel).
    bool IsCreated() const { return created_; }
    CResourceGrid* Grid() const { return grid_; }
    QAbstractButton* MenuButton() const { return menuButton_; }
    QWidget* SplitterBar() const;
    // The folder file dialogs of the panel start in: the one last used by
    // a panel of the same kind in this run, else the document's folder,
    // else the user's home folder.
    QString LastFolder() const;
    void SetLastFolder(const QString& folder);
    // How long a replace runs before it shows its progress (with Cancel).
    void SetProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }

    // 1: the names of `item` and of `items`, shortened after the fourth.
    virtual QString ItemsSummary(int item, const std::vector<int>& items) const;
    // 2
    virtual const CVKT_ResourceGroup* GetGroup() const = 0;
    // 3, 4
    virtual bool ShowFindDialog();
    virtual bool Search(const CFindOptions& options);
    // 5: false in panels that take no files.
    virtual bool AddFile(const QString& path);
    // 6
    virtual void SelectionChanged();
    // 7: a button of the panel was pressed.
    virtual bool ButtonNotification(QObject* sender);
    // 8, 9: the kind's entries of the "Edi&t" submenu, ids from `firstId`.
    virtual bool OnEditCommand(QMenu* menu, int firstId, int id);
    virtual bool AddEditCommands(QMenu* menu, int firstId);
    // The entry of the "Edi&t" submenu a key runs (its id from
    // kFirstEditCommand on), or 0: the shortcut texts a kind shows beside its
    // entries work as keys while the panel has the keyboard.
    virtual int KindKeyCommand(int key, bool shift, bool control) const;
    // 10: stores the cell at (srcColumn, srcRow) into the item of dstRow:
    // the edited value when source and destination are the same cell, a
    // copy of the source item's field otherwise. Grid coordinates.
    virtual bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow);
    // Stores the edited cell at (column, row) into the item of its row as a
    // part of an edit of `container` the caller runs; the cell then shows
    // what the item holds, which a kind may keep otherwise than typed. Its
    // repaint is left to the caller, which stores many cells at once.
    // Returns whether the item changed. Kinds without a quicker way apply
    // the cell as an edit of its own, which joins the caller's.
    virtual bool StoreEditedCell(CVKT_ResourceContainer& container, int column, int row);
    // 11, 12
    virtual void MoveItem(int from, int to);
    virtual bool DoMoveItem(int from, int to);
    // 13, 14, 15
    virtual void MoveItemsDown();
    virtual void MoveItemsUp();
    virtual void GroupItems();
    // 16
    virtual bool ShowContextMenu();
    // 17
    virtual void UpdateSelectedCount();
    // 18, 19: the animated preview; StepTime runs on the game-clock thread
    // and must touch nothing but atomics.
    virtual void RedrawPreview();
    virtual bool StepTime();
    // Whether coming game steps would change the preview; the clock sleeps
    // while the shown panel's does not. Asked on the game clock's thread,
    // so it reads nothing but atomics.
    virtual bool PreviewAnimates() const;
    // Tells the view that the preview may have started to move, so that a
    // sleeping clock looks again.
    void PreviewMayAnimate();
    // 20
    virtual bool InsertItems();
    // 21: `key` is a Qt::Key; returns whether the panel handled it.
    virtual bool OnKey(int key, bool shift, bool control);
    // 22
    virtual int HeaderRowCount() const { return 1; }
    // 23, 24, 25
    virtual void FillCell(int column, int row, bool repaint);
    // `itemRow` is a grid row: item i is row i + 1.
    virtual void RefreshItemCell(int kindColumn, int itemRow);
    // Also gives an item added at the end of the group its row.
    virtual void RefreshRow(int item);
    // 26
    virtual int FixedColumnCount() const { return 2; }
    // 27, 28, 29: row 0 of a kind column is its header.
    virtual int GetItemCount() const;
    virtual int GetColumnCount() const;
    virtual void FillItemCell(int kindColumn, int row);
    // 30
    virtual int GetRowCount() const;
    // 31 … 38
    virtual bool IsMarked(int item) const;
    virtual bool SetMarked(int item, bool notify, bool value, bool repaintRow);
    virtual bool SetAllMarked(bool notify, bool value, bool repaint);
    virtual bool InvertMarks(bool notify, bool repaint);
    virtual int GetCursorItem() const;
    virtual bool SetCursorItem(int item);
    virtual int GetAffectedCount() const;
    // Empty where the affected list is "none".
    virtual std::vector<int> GetAffectedItems(bool ascending, bool includeCursor) const;
    // 39, 40
    virtual void DeleteItems();
    virtual bool DeleteItem(int item);
    // 41, 42, 43
    virtual void RebuildGrid();
    virtual void RedrawPreviewArea();
    virtual void DrawPreview(QPainter& painter, const QRect& preview);
    // 44 … 51
    virtual void Layout(bool clamp);
    virtual QRect PreviewRect(const QRect& client) const;
    virtual QRect SplitterRect(const QRect& client) const;
    virtual QRect PreviewToolbarRect(const QRect& client) const;
    virtual QRect TitleRect(const QRect& client) const;
    virtual QRect GridRect(const QRect& client) const;
    virtual QRect MenuButtonRect(const QRect& client) const;
    virtual QRect BandRect(const QRect& rect, int band, int bandCount) const;
    // 52, 53, 54, 55
    virtual bool Refresh(bool rebuild);
    virtual bool SetResourceContainer(const CVKT_ResourceContainer* container);
    // Whether the panel shows items of `kind` (its own group by default; a
    // preview may draw other kinds too): the view refreshes it when they
    // change.
    virtual bool ShowsKind(int kind) const;
    // Duplicate IDs in the group, and what FindBrokenReference reports: the
    // first offending item gets the cursor and a message says what is wrong.
    virtual bool CheckIntegrity();
    virtual bool EditValueDialog(const QString& caption, const QString& sectionTitle,
                                 QString& value, bool multiLine);
    // 56, 57: makes the panel a child window of `parent` at `rect`. A panel
    // hidden beforehand stays hidden and fills its list when first shown.
    virtual bool CreatePanel(QWidget* parent, const QRect& rect);
    virtual bool CreateChildren();

    // The band preview of one item, called by DrawTiledPreview; `band`
    // shrinks as lines are written into it.
    virtual void DrawItemPreview(QPainter& painter, QRect& band, int item);

    // The integrity faults beyond duplicate IDs: the first item whose
    // references name nothing, with the message that says so; -1 when none.
    virtual int FindBrokenReference(QString& message) const;

    // Find next and previous with the remembered options (F3, Shift+F3).
    bool FindNext();
    bool FindPrevious();
    // Runs a context menu id as its key would.
    void RunMenuCommand(int id);
    // The context menu as ShowContextMenu opens it; the caller owns it.
    // Each action's data() holds its id.
    QMenu* BuildContextMenu();
    // Files dropped on the panel.
    void DropFiles(const QStringList& paths);

    // The one editing path: runs `change` through the document as one undo
    // step named `label`. This panel updates itself; the document tells
    // the other panels that show what changed. Without a document nothing
    // can change.
    bool EditDocument(const QString& label,
                      const std::function<bool(CVKT_ResourceContainer&)>& change);
    // Runs `run`, whose EditDocument calls (any number, with questions and
    // progress between them) make one undo step named `label`.
    void AsOneEdit(const QString& label, const std::function<void()>& run);

    // The base's tiled preview: one band per affected item.
    void DrawTiledPreview(QPainter& painter, const QRect& preview);
    // A one-pixel line in the Dialog Text colour across the top of `band`,
    // which then starts one pixel lower.
    static void DrawBandSeparator(QPainter& painter, QRect& band);
    // One line of text over a half-transparent Dialog Face box at the top
    // of `band`, which then starts below the line.
    static void DrawBandTextLine(QPainter& painter, QRect& band, const QString& text,
                                 const QColor& color);

    // The undo step of an edit of grid column `column`: "Edit " and the
    // column's header.
    QString EditCellLabel(int column) const;

    // The name of an item of the group, empty when there is none.
    QString ItemName(int item) const;

    // The grid cell of kind column `kindColumn` in grid row `row` (row 0 is
    // the header, item i is row i + 1); null outside the grid.
    CGridCell* KindCell(int kindColumn, int row) const;
    // The kind column of a grid column, -1 for the fixed columns.
    int KindColumnOf(int gridColumn) const { return gridColumn - FixedColumnCount(); }
    // The item of a grid row, -1 for the header or outside the items.
    int ItemOfRow(int row) const;

signals:
    // After a cell edit was applied, so tests and the view can follow.
    void itemsEdited();

protected:
    // The kind panels with a preview toolbar give it here; it is placed by
    // Layout at the top of the preview area.
    virtual QWidget* PreviewToolbar() const { return nullptr; }
    void SetAcceptsFiles(bool accepts) { acceptsFiles_ = accepts; }

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab stay inside the panel.
    bool focusNextPrevChild(bool next) override;

private:
    bool KeptHidden() const;
    void OnGridCursorChanged();
    void OnCellEdited();
    void OnRangeSwept(QPoint previous, QPoint clicked);
    void OnSplitterMoved(int position);
    void NotifySelection();
    void PaintPanel(QPainter& painter, const QRect& dirty);
    int SplitterLeft(const QRect& client) const;
    void ScrollToRows(int first, int last);
    // After rows were moved without a rebuild: scroll, repaint, and show the
    // group again when the kind refused a move.
    void FinishRowMoves(int firstRow, int lastRow);
    // A cell a replace run changes, and the item its row listed then. A
    // text cell is changed by the walk itself (Replaced), or, asked about,
    // its text is held as it was found, at `foundAt` (Held), so the change
    // can be made in the text's own room once the walk is over; another
    // cell takes a text made when found (Made). Held and made texts are in
    // the run's own list, at `text`, so the many cells are plain numbers.
    struct CCellReplacement {
        enum class How : std::uint8_t { Replaced, Held, Made };
        int column;
        int row;
        int item;
        int text;
        qsizetype foundAt;
        How how;
    };
    struct CReplacements {
        std::vector<CCellReplacement> cells;
        std::vector<QString> texts;
    };
    bool SearchWalk(const CFindOptions& options);
    bool FindAgain(bool backward);
    void ShowFoundCell(int column, int row);
    void ApplyReplacements(CReplacements& replacements, const CSearchNeedle& needle,
                           const CFindOptions& options);
    void MarkFoundRows(const CFindOptions& options, const std::vector<int>& rows, int lowest,
                       int highest);
    bool HandleKeyPress(const QKeyEvent& event);
    void FocusNextInPanel(bool forward);

    QString title_;
    CPlexionDoc* document_ = nullptr;
    IPanelHost* host_ = nullptr;
    bool acceptsFiles_ = false;
    QWidget* focusTarget_ = nullptr;
    QAbstractButton* menuButton_ = nullptr;
    QPixmap paintBuffer_;
    CResourceGrid* grid_ = nullptr;
    double splitRatio_ = 0.5;
    CPanelSplitter* splitter_ = nullptr;
    const CVKT_ResourceContainer* container_ = nullptr;
    bool created_ = false;
    // A rebuild asked for while the view kept the panel hidden, done when
    // it is shown; the first showing also puts the cursor on the first item.
    bool rebuildPending_ = false;
    bool firstShowPending_ = false;
    int rememberedCursorRow_ = -1;
    // Set by MoveItem when the kind refused a move.
    bool moveFailed_ = false;
    int progressDelayMs_ = 500;
    // Whether an edit made through EditDocument changed anything since
    // StoreEditedCell last cleared it.
    bool batchChanged_ = false;
};

}  // namespace plexion
