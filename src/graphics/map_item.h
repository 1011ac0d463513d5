#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "growable_array.h"
#include "resource.h"

namespace plexion {

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
