#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "growable_array.h"
#include "resource.h"

class QPainter;

namespace plexion {

class CMapCellOverlay;
class CVKT_ResourceContainer;

// A tile map: columns of 16-bit cells, each naming a bitmap by its index,
// drawn Size X by Size Y pixels.
class CVKT_Map : public CVKT_Resource {
public:
    static constexpr int kKind = 5;
    static constexpr std::int32_t kTypeBitmaps = 0;
    static constexpr std::int32_t kDefaultCellSize = 32;
    static constexpr int kNewMapColumns = 10;
    static constexpr int kNewMapLines = 10;

    CVKT_Map();

    int Serialize(CArchive& archive) override;

    static std::string TypeName(std::int32_t type);

    void Clear();
    // The column under map x (the line under map y); -1 outside the map,
    // and everywhere while the cell size is below 1.
    std::int32_t ColumnAt(std::int64_t x) const;
    std::int32_t LineAt(std::int64_t y) const;
    // Draws the cells that meet the clip rectangle (left and top inside,
    // right and bottom just outside, in view coordinates); a view point p
    // shows map point p + origin - scroll. Each cell shows the bitmap of
    // `document` its value names, scaled to the cell; empty cells, values
    // that name no bitmap and maps of any type but 0 draw nothing. Cells of
    // `overlay` show its values instead of their own.
    void Draw(const CVKT_ResourceContainer& document, QPainter& painter, int originX, int originY,
              int scrollX, int scrollY, int clipLeft, int clipTop, int clipRight, int clipBottom,
              const CMapCellOverlay* overlay = nullptr) const;
    int Columns() const { return static_cast<int>(columns_.size()); }
    int Lines() const { return lines_; }
    bool InsertColumn(int index);
    bool InsertLine(int index);
    bool RemoveColumn(int index);
    bool RemoveLine(int index);
    bool SetCell(int column, int line, std::int16_t value);
    std::int16_t GetCell(int column, int line) const;

    std::int32_t Type() const { return type_; }
    void SetType(std::int32_t type) { type_ = type; }
    std::int32_t SizeX() const { return sizeX_; }
    std::int32_t SizeY() const { return sizeY_; }
    // Cell sizes below 1 are refused: drawing divides by them.
    bool SetSizeX(std::int32_t size);
    bool SetSizeY(std::int32_t size);

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::int32_t type_ = kTypeBitmaps;
    int lines_ = 0;
    std::int32_t sizeX_ = kDefaultCellSize;
    std::int32_t sizeY_ = kDefaultCellSize;
    std::vector<CGrowableArray<std::int16_t>> columns_;
};

}  // namespace plexion
