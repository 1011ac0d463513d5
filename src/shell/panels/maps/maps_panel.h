#pragma once

#include "kind_panel.h"
#include "map_item.h"

namespace plexion {

// The panel of the tile maps: one row per map with its type, dimensions and
// cell size. The preview draws the map of the cursor row.
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

    explicit CMapsPanel(QWidget* parent = nullptr);

    int GetColumnCount() const override { return kColumnCount; }
    void FillItemCell(int kindColumn, int row) override;
    // A smaller map is first asked about, since cut cells are lost; a refused
    // size leaves the map as it was.
    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    // A new map of 10 by 10 empty cells named "New ID" at the end of the group.
    bool InsertItems() override;
    bool DeleteItem(int item) override;
    bool DoMoveItem(int from, int to) override;
    // The map of the cursor row from the preview's corner.
    void DrawPreview(QPainter& painter, const QRect& preview) override;

    // The first map with a cell naming no bitmap; empty cells (-1) name none.
    int FindBrokenReference(QString& message) const override;

    // Resizes a map: the same size changes nothing, a size no map may have
    // is refused with a message, and a reduction is done only when the user
    // answers Yes. Returns whether the map has the size asked for.
    bool ResizeMap(int item, int columns, int lines);

private:
    // The dimension or cell size columns: the value asked for, from the
    // edited cell or the source map.
    bool ApplySize(int column, int dstRow, int srcRow);
    bool SetCellSize(int item, int column, int size);
};

}  // namespace plexion
