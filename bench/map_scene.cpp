#include "map_scene.h"

#include <cstdint>

#include "all_kinds.h"
#include "bitmap_item.h"
#include "map_resize.h"

namespace plexion::bench {
namespace {

// A sprite with a soft edge, as tiles with transparent parts are.
QImage Tile(int seed) {
    QImage image(kTile, kTile, QImage::Format_ARGB32);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const int alpha = (x + y + seed) % 7 == 0 ? 0 : 255;
            image.setPixel(x, y, qRgba((x * 8 + seed * 10) & 255, (y * 8) & 255, seed * 9, alpha));
        }
    }
    return image;
}

}  // namespace

CMapScene& MapScene() {
    static CMapScene* scene = [] {
        RegisterAllResourceKinds();
        auto* made = new CMapScene;
        for (int i = 0; i < kTiles; ++i) {
            auto* bitmap =
                made->document.GetAt<CVKT_Bitmap>(made->document.New<CVKT_Bitmap>("tile"));
            bitmap->TakeImage(Tile(i));
            made->tiles.push_back(*bitmap->Image());
        }
        made->map = made->document.GetAt<CVKT_Map>(made->document.New<CVKT_Map>("world"));
        map_size::SetDimensions(*made->map, kMapSide, kMapSide);
        std::uint32_t noise = 2463534242u;
        for (int column = 0; column < kMapSide; ++column) {
            for (int line = 0; line < kMapSide; ++line) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                // One cell in 16 is empty.
                const int value = noise % 16 == 0 ? -1 : static_cast<int>(noise % kTiles);
                made->map->SetCell(column, line, static_cast<std::int16_t>(value));
            }
        }
        return made;
    }();
    return *scene;
}

}  // namespace plexion::bench
