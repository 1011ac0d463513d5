#pragma once

#include <QImage>
#include <vector>

#include "map_item.h"
#include "resource_container.h"

namespace plexion::bench {

// A 1,000 x 1,000 map of 32 x 32 tiles drawn from 24 sprites with soft
// edges, one cell in 16 empty, and a 1,920 x 1,080 view to draw it into.
inline constexpr int kTile = 32;
inline constexpr int kTiles = 24;
inline constexpr int kMapSide = 1000;
inline constexpr int kViewWidth = 1920;
inline constexpr int kViewHeight = 1080;

struct CMapScene {
    CVKT_ResourceContainer document;
    CVKT_Map* map = nullptr;
    // The pictures of bitmaps 0 … kTiles - 1.
    std::vector<QImage> tiles;
    QImage view{kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied};
};

// Made once, on first use.
CMapScene& MapScene();

}  // namespace plexion::bench
