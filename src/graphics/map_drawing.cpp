// Drawing a map's cells with the bitmaps they name.
#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "bitmap_item.h"
#include "map_cell_overlay.h"
#include "map_item.h"
#include "resource_container.h"

namespace plexion {

void CVKT_Map::Draw(const CVKT_ResourceContainer& document, QPainter& painter, int originX,
                    int originY, int scrollX, int scrollY, int clipLeft, int clipTop, int clipRight,
                    int clipBottom, const CMapCellOverlay* overlay) const {
    if (type_ != kTypeBitmaps || Columns() < 1 || lines_ < 1 || sizeX_ < 1 || sizeY_ < 1) {
        return;
    }
    // View point p shows map point p + shift.
    const std::int64_t shiftX = static_cast<std::int64_t>(originX) - scrollX;
    const std::int64_t shiftY = static_cast<std::int64_t>(originY) - scrollY;
    // Only the part of the clip rectangle that lies on the map has cells: a
    // map that starts inside the view still draws, from its first cell.
    const std::int64_t left = std::max<std::int64_t>(clipLeft + shiftX, 0);
    const std::int64_t top = std::max<std::int64_t>(clipTop + shiftY, 0);
    const std::int64_t right =
        std::min<std::int64_t>(clipRight + shiftX, static_cast<std::int64_t>(sizeX_) * Columns());
    const std::int64_t bottom =
        std::min<std::int64_t>(clipBottom + shiftY, static_cast<std::int64_t>(sizeY_) * lines_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::int32_t firstColumn = ColumnAt(left);
    const std::int32_t lastColumn = ColumnAt(right - 1);
    const std::int32_t firstLine = LineAt(top);
    const std::int32_t lastLine = LineAt(bottom - 1);
    for (std::int32_t line = firstLine; line <= lastLine; ++line) {
        const double y = static_cast<double>(static_cast<std::int64_t>(line) * sizeY_ - shiftY);
        for (std::int32_t column = firstColumn; column <= lastColumn; ++column) {
            // Cells are bitmap indexes read unsigned: -1 is 65535, no bitmap.
            const std::int16_t stored = columns_[column][line];
            const auto value = static_cast<std::uint16_t>(
                overlay != nullptr ? overlay->Find(column, line).value_or(stored) : stored);
            const CVKT_Bitmap* bitmap = document.GetAt<CVKT_Bitmap>(value);
            if (!bitmap) {
                continue;
            }
            const double x =
                static_cast<double>(static_cast<std::int64_t>(column) * sizeX_ - shiftX);
            // The bitmap adds its offsets; taking them off puts its corner on
            // the cell's corner.
            bitmap->DrawScaled(painter, x - bitmap->OffsetX(), y - bitmap->OffsetY(), sizeX_,
                               sizeY_);
        }
    }
}

}  // namespace plexion
