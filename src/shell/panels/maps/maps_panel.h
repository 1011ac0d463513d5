#pragma once

#include <cstdint>

#include "kind_panel.h"
#include "map_item.h"

namespace plexion {

class CMapDisplay;

// The panel of the tile maps: one row per map with its type, dimensions and
// cell size. Its map display shows the map of the cursor row, painted from
// a palette of the document's bitmaps.
class CMapsPanel : public CKindPanel<CVKT_Map> {
    Q_OBJECT
public:
    enum Column {
        kIndex,
        kId,
        kType,
        kNbColumns,
        kNbLines,
        kSizeX,
        kSizeY,
        kSpecifications,
        kComments,
        kColumnCount
    };
    static constexpr const char* kCellSizeRefused = "The cell size must be at least 1 pixel.";
    // The value of an empty cell.
    static constexpr std::int16_t kEmptyCellValue = -1;

    // The cells draw bitmaps and animations.
    bool ShowsKind(int kind) const override {
        return kind == kKindBitmaps || kind == kKindIndexLists || CKindPanel::ShowsKind(kind);
    }
    // A smaller map is first asked about, since cut cells are lost; a refused
    // size leaves the map as it was.
    explicit CMapsPanel(QWidget* parent = nullptr);

    // Clear Map, the display's grid lines and zoom, Split Bitmap Into Map.
    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;
    // A new map of 10 by 10 empty cells named "New ID" at the end of the group.
    bool InsertItems() override;
    // The map of the cursor row from the preview's corner, under the map
    // display.
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    // The display covers the preview and follows the cursor row.
    bool CreateChildren() override;
    void Layout(bool clamp) override;
    void SelectionChanged() override;
    bool Refresh(bool rebuild) override;

    CMapDisplay* Display() const { return display_; }
    // The display's finished stroke written into the cursor map, in one edit.
    bool PaintStroke();
    // The cells from (firstColumn, firstLine) to (lastColumn, lastLine) of a
    // map set to `value`, in one edit named `label`.
    bool FillCells(const QString& label, int item, int firstColumn, int firstLine, int lastColumn,
                   int lastLine, std::int16_t value);
    // Every cell of a map emptied.
    bool ClearMap(int item);
    // The Split dialog on the Bitmaps panel's cursor bitmap, then the split.
    bool SplitBitmapIntoMap();
    // Cuts bitmap `bitmap` into tiles (with a progress dialog that can
    // cancel), adds a bitmap per distinct tile and a map of them named as
    // the bitmap, and puts the cursor on the map. A refused split says why.
    bool SplitIntoMap(int bitmap, int tileWidth, int tileHeight);

    // The first map with a cell naming no bitmap; empty cells (-1) name none.
    int FindBrokenReference(QString& message) const override;

    // Resizes a map: the same size changes nothing, a size no map may have
    // is refused with a message, and a reduction is done only when the user
    // answers Yes. Returns whether the map has the size asked for.
    bool ResizeMap(int item, int columns, int lines);

private:
    // A dimension or cell size column, which takes its values through ApplySize.
    CKindColumn<CVKT_Map> SizeColumn(const char* header, int column);
    // The dimension or cell size columns: the value asked for, from the
    // edited cell or the source map.
    bool ApplySize(int column, int dstRow, int srcRow);
    bool SetCellSize(int item, int column, int size);

    CMapDisplay* display_ = nullptr;
};

}  // namespace plexion
