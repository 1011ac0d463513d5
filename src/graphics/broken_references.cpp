#include "broken_references.h"

#include <cstdint>

#include "bitmap_item.h"
#include "index_list_item.h"
#include "map_item.h"
#include "resource_container.h"

namespace plexion {
namespace {

// IDs are bytes; a message quotes them as they are.
std::string Quoted(const std::string& id) {
    return "\"" + id + "\"";
}

}  // namespace

std::vector<SBrokenReference> FindBrokenAnimationFrames(const CVKT_ResourceContainer& resources) {
    std::vector<SBrokenReference> found;
    const int bitmaps = resources.Count<CVKT_Bitmap>();
    const int count = resources.Count<CVKT_IndexList>();
    for (int item = 0; item < count; ++item) {
        const CVKT_IndexList* animation = resources.GetAt<CVKT_IndexList>(item);
        // Only animations of pictures name bitmaps.
        if (animation == nullptr || animation->Type() != CVKT_IndexList::kTypeBitmaps) {
            continue;
        }
        SBrokenReference broken{CVKT_IndexList::kKind, item, {}, -1};
        for (int frame = 0; frame < animation->FrameCount(); ++frame) {
            const std::int32_t bitmap = animation->Frame(frame).bitmap;
            if (bitmap >= 0 && bitmap < bitmaps) {
                continue;
            }
            if (++broken.more == 0) {
                broken.message = "The animation " + Quoted(animation->ID()) + " (index " +
                                 std::to_string(item) + "): frame " + std::to_string(frame) +
                                 " shows bitmap " + std::to_string(bitmap) +
                                 ", but there is no bitmap with that index.";
            }
        }
        if (broken.more >= 0) {
            found.push_back(std::move(broken));
        }
    }
    return found;
}

std::vector<SBrokenReference> FindBrokenMapCells(const CVKT_ResourceContainer& resources) {
    std::vector<SBrokenReference> found;
    const int bitmaps = resources.Count<CVKT_Bitmap>();
    const int count = resources.Count<CVKT_Map>();
    for (int item = 0; item < count; ++item) {
        const CVKT_Map* map = resources.GetAt<CVKT_Map>(item);
        // Only maps of pictures name bitmaps.
        if (map == nullptr || map->Type() != CVKT_Map::kTypeBitmaps) {
            continue;
        }
        SBrokenReference broken{CVKT_Map::kKind, item, {}, -1};
        for (int column = 0; column < map->Columns(); ++column) {
            for (int line = 0; line < map->Lines(); ++line) {
                // Cells hold 16-bit indexes; all bits set is an empty cell.
                const int bitmap = static_cast<std::uint16_t>(map->GetCell(column, line));
                if (bitmap == 0xFFFF || bitmap < bitmaps) {
                    continue;
                }
                if (++broken.more == 0) {
                    broken.message = "The map " + Quoted(map->ID()) + " (index " +
                                     std::to_string(item) + "): the cell at column " +
                                     std::to_string(column) + ", line " + std::to_string(line) +
                                     " shows bitmap " + std::to_string(bitmap) +
                                     ", but there is no bitmap with that index.";
                }
            }
        }
        if (broken.more >= 0) {
            found.push_back(std::move(broken));
        }
    }
    return found;
}

}  // namespace plexion
