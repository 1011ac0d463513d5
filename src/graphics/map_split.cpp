#include "map_split.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "bitmap_item.h"
#include "image_codecs.h"
#include "map_item.h"
#include "map_resize.h"
#include "resource_container.h"

namespace plexion::map_split {
namespace {

// Cells hold bitmap indexes in 16 bits; the last value is the empty cell.
constexpr int kNameableBitmaps = 0xFFFF;

int CeilDivide(int extent, int divisor) {
    if (divisor < 1 || extent < 1) {
        return 0;
    }
    return static_cast<int>((static_cast<std::int64_t>(extent) + divisor - 1) / divisor);
}

std::string_view BytesOf(const QImage& image) {
    return {reinterpret_cast<const char*>(image.constBits()),
            static_cast<std::size_t>(image.sizeInBytes())};
}

// Finds tiles seen before by their pixels: a hash picks the candidates,
// the bytes decide.
class CTileIndex {
public:
    // The place of an identical tile in `tiles`, or -1.
    int Find(const QImage& tile, const std::vector<CTile>& tiles) const {
        const auto found = byHash_.find(std::hash<std::string_view>{}(BytesOf(tile)));
        if (found == byHash_.end()) {
            return -1;
        }
        for (const int candidate : found->second) {
            if (BytesOf(tiles[candidate].pixels) == BytesOf(tile)) {
                return candidate;
            }
        }
        return -1;
    }
    void Add(const QImage& tile, int place) {
        byHash_[std::hash<std::string_view>{}(BytesOf(tile))].push_back(place);
    }

private:
    std::unordered_map<std::size_t, std::vector<int>> byHash_;
};

}  // namespace

int TilesCovering(int extent, int tile) {
    return CeilDivide(extent, tile);
}

int TileSizeFor(int extent, int count) {
    return CeilDivide(extent, count);
}

std::string OutcomeText(Outcome outcome) {
    switch (outcome) {
        case Outcome::NoPicture:
            return "The bitmap holds no picture to split.";
        case Outcome::TileTooSmall:
            return "The tiles must be at least 1 pixel wide and 1 pixel high.";
        case Outcome::MapTooLarge:
            return "The map would be too large: a map has at most " +
                   std::to_string(map_size::kMaxSide) + " columns and lines and " +
                   std::to_string(map_size::kMaxCells) + " cells.";
        case Outcome::TooManyTiles:
            return "The map cannot name that many bitmaps: the document's bitmaps and the "
                   "picture's different tiles may be " +
                   std::to_string(kNameableBitmaps) + " at most.";
        case Outcome::EncodingFailed:
            return "A tile could not be encoded as PNG.";
        default:
            return {};
    }
}

Outcome Cut(const QImage& picture, int tileWidth, int tileHeight, CSplit& split,
            const Progress& progress) {
    split = CSplit();
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1) {
        return Outcome::NoPicture;
    }
    if (tileWidth < 1 || tileHeight < 1) {
        return Outcome::TileTooSmall;
    }
    const int columns = TilesCovering(picture.width(), tileWidth);
    const int lines = TilesCovering(picture.height(), tileHeight);
    if (!map_size::Allowed(columns, lines)) {
        return Outcome::MapTooLarge;
    }
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    CSplit cut{columns, lines, tileWidth, tileHeight, {}, {}};
    cut.cells.reserve(static_cast<std::size_t>(columns) * lines);
    CTileIndex index;
    const std::int64_t total = static_cast<std::int64_t>(columns) * lines;
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < columns; ++column) {
            // Beyond the picture a copy is transparent: the edge tiles are
            // padded.
            const QImage tile =
                source.copy(column * tileWidth, line * tileHeight, tileWidth, tileHeight);
            int place = index.Find(tile, cut.tiles);
            if (place < 0) {
                if (static_cast<int>(cut.tiles.size()) == kNameableBitmaps) {
                    return Outcome::TooManyTiles;
                }
                auto png = EncodeImage(tile, "image/png");
                if (!png) {
                    return Outcome::EncodingFailed;
                }
                place = static_cast<int>(cut.tiles.size());
                cut.tiles.push_back({tile, std::move(*png)});
                index.Add(tile, place);
            }
            cut.cells.push_back(static_cast<std::uint16_t>(place));
            if (progress && !progress(static_cast<std::int64_t>(cut.cells.size()), total)) {
                return Outcome::Cancelled;
            }
        }
    }
    split = std::move(cut);
    return Outcome::Done;
}

bool FitsCells(const CVKT_ResourceContainer& document, const CSplit& split) {
    return static_cast<std::int64_t>(document.Count<CVKT_Bitmap>()) +
               static_cast<std::int64_t>(split.tiles.size()) <=
           kNameableBitmaps;
}

int AddToDocument(CVKT_ResourceContainer& document, const std::string& pictureId,
                  const std::string& mapId, const CSplit& split) {
    if (!FitsCells(document, split)) {
        return -1;
    }
    const int firstBitmap = document.Count<CVKT_Bitmap>();
    for (std::size_t n = 0; n < split.tiles.size(); ++n) {
        CVKT_Bitmap* bitmap = document.GetAt<CVKT_Bitmap>(
            document.New<CVKT_Bitmap>(pictureId + "_" + std::to_string(n)));
        bitmap->TakeImage(split.tiles[n].pixels);
        bitmap->SetSourceBytes(split.tiles[n].png);
    }
    const int mapIndex = document.New<CVKT_Map>(mapId);
    CVKT_Map* map = document.GetAt<CVKT_Map>(mapIndex);
    map_size::SetDimensions(*map, split.columns, split.lines);
    map->SetSizeX(split.tileWidth);
    map->SetSizeY(split.tileHeight);
    for (int line = 0; line < split.lines; ++line) {
        for (int column = 0; column < split.columns; ++column) {
            map->SetCell(column, line,
                         static_cast<std::int16_t>(
                             static_cast<std::uint16_t>(firstBitmap + split.CellAt(column, line))));
        }
    }
    return mapIndex;
}

}  // namespace plexion::map_split
