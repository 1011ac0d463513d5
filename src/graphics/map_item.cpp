#include "map_item.h"

#include <algorithm>

#include "archive.h"

namespace plexion {

CVKT_Map::CVKT_Map() {
    for (int i = 0; i < kNewMapColumns; ++i) {
        InsertColumn(i);
    }
    for (int i = 0; i < kNewMapLines; ++i) {
        InsertLine(i);
    }
}

std::unique_ptr<CVKT_Resource> CVKT_Map::NewOfSameKind() const {
    return std::make_unique<CVKT_Map>();
}

std::string CVKT_Map::TypeName(std::int32_t type) {
    return type == kTypeBitmaps ? "Bitmaps" : "Not Valid";
}

void CVKT_Map::Clear() {
    columns_.clear();
    lines_ = 0;
    sizeX_ = kDefaultCellSize;
    sizeY_ = kDefaultCellSize;
}

namespace {

std::int32_t CellAt(std::int64_t position, std::int32_t cellSize, int count) {
    if (cellSize < 1 || position < 0 || position >= static_cast<std::int64_t>(cellSize) * count) {
        return -1;
    }
    return static_cast<std::int32_t>(position / cellSize);
}

}  // namespace

std::int32_t CVKT_Map::ColumnAt(std::int64_t x) const {
    return CellAt(x, sizeX_, Columns());
}

std::int32_t CVKT_Map::LineAt(std::int64_t y) const {
    return CellAt(y, sizeY_, lines_);
}

bool CVKT_Map::InsertColumn(int index) {
    index = std::clamp(index, 0, Columns());
    CGrowableArray<std::int16_t> column;
    column.SetSize(lines_);
    columns_.insert(columns_.begin() + index, std::move(column));
    return true;
}

bool CVKT_Map::InsertLine(int index) {
    index = std::clamp(index, 0, lines_);
    for (auto& column : columns_) {
        column.InsertAt(index, 0);
    }
    ++lines_;
    return true;
}

bool CVKT_Map::RemoveColumn(int index) {
    if (index < 0 || index >= Columns()) {
        return false;
    }
    columns_.erase(columns_.begin() + index);
    return true;
}

bool CVKT_Map::RemoveLine(int index) {
    if (index < 0 || index >= lines_) {
        return false;
    }
    for (auto& column : columns_) {
        column.RemoveAt(index);
    }
    --lines_;
    return true;
}

bool CVKT_Map::SetCell(int column, int line, std::int16_t value) {
    if (column < 0 || column >= Columns() || line < 0 || line >= lines_) {
        return false;
    }
    columns_[column][line] = value;
    return true;
}

std::int16_t CVKT_Map::GetCell(int column, int line) const {
    if (column < 0 || column >= Columns() || line < 0 || line >= lines_) {
        return 0;
    }
    return columns_[column][line];
}

bool CVKT_Map::SetSizeX(std::int32_t size) {
    if (size < 1) {
        return false;
    }
    sizeX_ = size;
    return true;
}

bool CVKT_Map::SetSizeY(std::int32_t size) {
    if (size < 1) {
        return false;
    }
    sizeY_ = size;
    return true;
}

int CVKT_Map::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(type_);
        archive.WriteInt32(Columns());
        archive.WriteInt32(lines_);
        archive.WriteInt32(sizeY_);
        archive.WriteInt32(sizeX_);
        for (const auto& column : columns_) {
            archive.WriteRaw(column.Data(), static_cast<std::size_t>(lines_) * 2);
        }
        return 1;
    }
    Clear();
    archive.Skip(8);
    type_ = archive.ReadInt32();
    const std::int32_t columns = archive.ReadInt32();
    const std::int32_t lines = archive.ReadInt32();
    const std::int32_t sizeY = archive.ReadInt32();
    const std::int32_t sizeX = archive.ReadInt32();
    if (columns > 0 && lines > 0) {
        archive.CheckClaim(static_cast<std::int64_t>(columns) * lines, 2);
        // Sizes are kept as stored, even below 1, so the file is written back
        // unchanged; only edits are held to at least 1.
        sizeY_ = sizeY;
        sizeX_ = sizeX;
        lines_ = lines;
        columns_.resize(static_cast<std::size_t>(columns));
        for (auto& column : columns_) {
            column.SetSize(lines);
            archive.ReadRaw(column.Data(), static_cast<std::size_t>(lines) * 2);
        }
    }
    return 1;
}

}  // namespace plexion
