#include <QImage>
#include <QRegion>

#include "bitmap_item.h"
#include "map_item.h"

namespace plexion {
namespace {

// A bitmap's whole state. Drawing buffers (kinds 1-4) are stored empty, so
// their pixels are kept as pictures rather than as stored bytes; pictures
// are shared with the bitmap until either side paints.
class CBitmapState final : public CItemState {
public:
    std::size_t Bytes() const override {
        return static_cast<std::size_t>(image.sizeInBytes() + mask.sizeInBytes()) +
               sourceBytes.size() + (map ? map->Bytes() : 0) + id.size() + comments.size() +
               sourceFileName.size();
    }
    bool SameAs(const CItemState& other) const override {
        const auto* state = dynamic_cast<const CBitmapState*>(&other);
        return state != nullptr && id == state->id && comments == state->comments &&
               kind == state->kind && image == state->image && mask == state->mask &&
               requestedWidth == state->requestedWidth && region == state->region &&
               SameMap(*state) && pendingDecode == state->pendingDecode &&
               sourceBytes == state->sourceBytes && sourceFileName == state->sourceFileName &&
               offsetX == state->offsetX && offsetY == state->offsetY &&
               displayWidth == state->displayWidth && displayHeight == state->displayHeight &&
               links == state->links;
    }
    bool SameMap(const CBitmapState& other) const {
        return map ? other.map && map->SameAs(*other.map) : !other.map;
    }

    std::string id;
    std::string comments;
    int kind = 0;
    QImage image;
    QImage mask;
    int requestedWidth = 0;
    QRegion region;
    std::unique_ptr<CItemState> map;
    bool pendingDecode = false;
    std::vector<std::uint8_t> sourceBytes;
    std::string sourceFileName;
    double offsetX = 0.0;
    double offsetY = 0.0;
    double displayWidth = 0.0;
    double displayHeight = 0.0;
    std::array<std::int32_t, 3> links{};
};

}  // namespace

std::unique_ptr<CItemState> CVKT_Bitmap::SaveState() const {
    auto state = std::make_unique<CBitmapState>();
    state->id = ID();
    state->comments = Comments();
    state->kind = kind_;
    state->image = image_;
    state->mask = mask_;
    state->requestedWidth = requestedWidth_;
    state->region = region_;
    state->map = map_ ? map_->SaveState() : nullptr;
    state->pendingDecode = pendingDecode_;
    state->sourceBytes = sourceBytes_;
    state->sourceFileName = sourceFileName_;
    state->offsetX = offsetX_;
    state->offsetY = offsetY_;
    state->displayWidth = displayWidth_;
    state->displayHeight = displayHeight_;
    state->links = links_;
    return state;
}

void CVKT_Bitmap::RestoreState(const CItemState& saved) {
    const auto& state = dynamic_cast<const CBitmapState&>(saved);
    SetID(state.id);
    SetComments(state.comments);
    kind_ = state.kind;
    image_ = state.image;
    mask_ = state.mask;
    requestedWidth_ = state.requestedWidth;
    region_ = state.region;
    map_.reset();
    if (state.map) {
        map_ = std::make_unique<CVKT_Map>();
        map_->RestoreState(*state.map);
    }
    pendingDecode_ = state.pendingDecode;
    sourceBytes_ = state.sourceBytes;
    sourceFileName_ = state.sourceFileName;
    offsetX_ = state.offsetX;
    offsetY_ = state.offsetY;
    displayWidth_ = state.displayWidth;
    displayHeight_ = state.displayHeight;
    links_ = state.links;
}

}  // namespace plexion
