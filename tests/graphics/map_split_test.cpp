#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "bitmap_item.h"
#include "image_codecs.h"
#include "map_item.h"
#include "map_split.h"
#include "resource_container.h"

namespace plexion {
namespace {

// A 4 x 4 tile whose pixels depend on `seed`, some of them half or nearly
// transparent, so that equal seeds give equal tiles and nothing else does.
void PaintTile(QImage& picture, int left, int top, int seed) {
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int alpha = (x + y) % 3 == 0 ? 255 : (x == 1 ? 3 : 128);
            picture.setPixel(left + x, top + y,
                             qRgba((seed * 40 + x * 9) % 256, (seed * 70 + y * 13) % 256,
                                   (seed * 25 + x * y) % 256, alpha));
        }
    }
}

// The whole map drawn as render-map draws it.
QImage DrawnMap(const CVKT_ResourceContainer& document, const CVKT_Map& map) {
    QImage canvas(map.Columns() * map.SizeX(), map.Lines() * map.SizeY(),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    map.Draw(document, painter, 0, 0, 0, 0, 0, 0, canvas.width(), canvas.height());
    return canvas;
}

TEST(MapSplit, TheLinkedFieldsRoundUp) {
    // Tiles covering an extent, and the tile size covering it with a count.
    struct Case {
        int extent, divisor, result;
    };
    for (const Case& c : {Case{96, 32, 3}, Case{100, 32, 4}, Case{100, 3, 34}, Case{1, 5, 1},
                          Case{100, 0, 0}, Case{0, 4, 0}, Case{2147483647, 2, 1073741824}}) {
        EXPECT_EQ(map_split::TilesCovering(c.extent, c.divisor), c.result)
            << c.extent << "/" << c.divisor;
        EXPECT_EQ(map_split::TileSizeFor(c.extent, c.divisor), c.result)
            << c.extent << "/" << c.divisor;
    }
}

TEST(MapSplit, IdenticalTilesShareOneBitmapAndTheMapDrawsThePictureBack) {
    // Tiles, line by line: 0 1 2 / 3 4 0.
    QImage picture(12, 8, QImage::Format_ARGB32);
    const int seeds[2][3] = {{0, 1, 2}, {3, 4, 0}};
    for (int line = 0; line < 2; ++line) {
        for (int column = 0; column < 3; ++column) {
            PaintTile(picture, column * 4, line * 4, seeds[line][column]);
        }
    }
    map_split::CSplit split;
    ASSERT_EQ(map_split::Cut(picture, 4, 4, split), map_split::Outcome::Done);
    ASSERT_EQ(split.tiles.size(), 5U);
    EXPECT_EQ(split.cells, (std::vector<std::uint16_t>{0, 1, 2, 3, 4, 0}));
    // What the document stores gives the same pixels back when read.
    for (const map_split::CTile& tile : split.tiles) {
        EXPECT_EQ(DecodeImage(tile.png), tile.pixels);
    }

    CVKT_ResourceContainer document;
    document.New<CVKT_Bitmap>("before");
    const int mapIndex = map_split::AddToDocument(document, "town", "town map", split);
    ASSERT_EQ(mapIndex, 0);
    ASSERT_EQ(document.Count<CVKT_Bitmap>(), 6);
    EXPECT_EQ(document.GetAt<CVKT_Bitmap>(1)->ID(), "town_0");
    EXPECT_EQ(document.GetAt<CVKT_Bitmap>(5)->ID(), "town_4");
    EXPECT_EQ(document.GetAt<CVKT_Bitmap>(5)->SourceBytes(), split.tiles[4].png);
    const CVKT_Map& map = *document.GetAt<CVKT_Map>(mapIndex);
    EXPECT_EQ(map.ID(), "town map");
    EXPECT_EQ(map.Columns(), 3);
    EXPECT_EQ(map.Lines(), 2);
    EXPECT_EQ(map.SizeX(), 4);
    EXPECT_EQ(map.SizeY(), 4);
    EXPECT_EQ(map.GetCell(0, 0), 1);
    EXPECT_EQ(map.GetCell(2, 1), 1);
    EXPECT_EQ(map.GetCell(1, 1), 5);
    EXPECT_EQ(DrawnMap(document, map),
              picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST(MapSplit, EdgeTilesThePictureDoesNotFillArePaddedTransparent) {
    QImage picture(10, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) {
            picture.setPixel(x, y, qRgb(x * 20, y * 40, 7));
        }
    }
    map_split::CSplit split;
    ASSERT_EQ(map_split::Cut(picture, 4, 3, split), map_split::Outcome::Done);
    EXPECT_EQ(split.columns, 3);
    EXPECT_EQ(split.lines, 2);
    const QImage corner = split.tiles[split.CellAt(2, 1)].pixels;
    EXPECT_EQ(corner.size(), QSize(4, 3));
    EXPECT_EQ(corner.pixel(1, 1), qRgb(180, 160, 7));
    EXPECT_EQ(qAlpha(corner.pixel(2, 1)), 0);
    EXPECT_EQ(qAlpha(corner.pixel(1, 2)), 0);

    CVKT_ResourceContainer document;
    const CVKT_Map& map =
        *document.GetAt<CVKT_Map>(map_split::AddToDocument(document, "p", "p", split));
    const QImage drawn = DrawnMap(document, map);
    EXPECT_EQ(drawn.size(), QSize(12, 6));
    EXPECT_EQ(drawn.copy(0, 0, 10, 5),
              picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QImage clear(12, 6, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    EXPECT_EQ(drawn.copy(10, 0, 2, 6), clear.copy(0, 0, 2, 6));
    EXPECT_EQ(drawn.copy(0, 5, 12, 1), clear.copy(0, 0, 12, 1));
}

TEST(MapSplit, RefusedSplitsLeaveNothing) {
    const QImage picture(8, 8, QImage::Format_ARGB32_Premultiplied);
    struct Case {
        QImage picture;
        int width, height;
        map_split::Outcome outcome;
    };
    for (const Case& c : {Case{QImage(), 4, 4, map_split::Outcome::NoPicture},
                          Case{picture, 0, 4, map_split::Outcome::TileTooSmall},
                          Case{picture, 4, -1, map_split::Outcome::TileTooSmall}}) {
        map_split::CSplit split;
        EXPECT_EQ(map_split::Cut(c.picture, c.width, c.height, split), c.outcome);
        EXPECT_TRUE(split.tiles.empty());
        EXPECT_FALSE(map_split::OutcomeText(c.outcome).empty());
    }
    // Cancelled after the second of four tiles.
    map_split::CSplit split;
    std::int64_t told = 0;
    EXPECT_EQ(map_split::Cut(picture, 4, 4, split,
                             [&](std::int64_t done, std::int64_t total) {
                                 told = done;
                                 EXPECT_EQ(total, 4);
                                 return done < 2;
                             }),
              map_split::Outcome::Cancelled);
    EXPECT_EQ(told, 2);
    EXPECT_TRUE(split.tiles.empty());
    EXPECT_TRUE(split.cells.empty());
}

TEST(MapSplit, CellsMustBeAbleToNameEveryTile) {
    map_split::CSplit split;
    split.columns = 1;
    split.lines = 1;
    split.tileWidth = split.tileHeight = 1;
    split.tiles.resize(0xFFFF);
    split.cells = {0};
    CVKT_ResourceContainer document;
    EXPECT_TRUE(map_split::FitsCells(document, split));
    document.New<CVKT_Bitmap>("already there");
    EXPECT_FALSE(map_split::FitsCells(document, split));
    EXPECT_EQ(map_split::AddToDocument(document, "p", "p", split), -1);
    EXPECT_EQ(document.Count<CVKT_Bitmap>(), 1);
    EXPECT_EQ(document.Count<CVKT_Map>(), 0);
}

}  // namespace
}  // namespace plexion
