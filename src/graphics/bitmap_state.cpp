#include <QImage>
#include <QRegion>

#include <utility>

#include "bitmap_item.h"
#include "map_item.h"

namespace plexion {
namespace {

// A bitmap's whole state. Drawing buffers (kinds 1-4) are stored empty, so
// their pixels are kept as pictures rather than as stored bytes; pictures
// are shared with the bitmap until either side paints.
class CBitmapState final : public CResourceState {
public:
    explicit CBitmapState(CStateMemory& memory) : CResourceState(memory) {}
    std::size_t Bytes() const override {
        return CResourceState::Bytes() +
               static_cast<std::size_t>(image.sizeInBytes() + mask.sizeInBytes()) +
               sourceBytes.size() + (map ? map->Bytes() : 0) + sourceFileName.size();
    }

    int kind = 0;
    QImage image;
    QImage mask;
    int requestedWidth = 0;
    QRegion region;
    CItemStatePtr map;
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

CItemStatePtr CVKT_Bitmap::SaveState(CStateMemory& memory) const {
    auto state = MakeState<CBitmapState>(memory, memory);
    SaveResourceFields(*state);
    state->kind = kind_;
    state->image = image_;
    state->mask = mask_;
    state->requestedWidth = requestedWidth_;
    state->region = region_;
    state->map = map_ ? map_->SaveState(memory) : nullptr;
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

bool CVKT_Bitmap::Holds(const CItemState& saved) const {
    const auto& state = dynamic_cast<const CBitmapState&>(saved);
    const bool sameMap = map_ ? state.map && map_->Holds(*state.map) : !state.map;
    return HoldsResourceFields(state) && kind_ == state.kind && image_ == state.image &&
           mask_ == state.mask && requestedWidth_ == state.requestedWidth &&
           region_ == state.region && sameMap && pendingDecode_ == state.pendingDecode &&
           sourceBytes_ == state.sourceBytes && sourceFileName_ == state.sourceFileName &&
           offsetX_ == state.offsetX && offsetY_ == state.offsetY &&
           displayWidth_ == state.displayWidth && displayHeight_ == state.displayHeight &&
           links_ == state.links;
}

void CVKT_Bitmap::ExchangeState(CItemState& saved) {
    auto& state = dynamic_cast<CBitmapState&>(saved);
    ExchangeResourceFields(state);
    std::swap(kind_, state.kind);
    image_.swap(state.image);
    mask_.swap(state.mask);
    std::swap(requestedWidth_, state.requestedWidth);
    region_.swap(state.region);
    // A map present on one side only is made or dropped; the state then
    // keeps what the dropped one held.
    if (map_ && state.map) {
        map_->ExchangeState(*state.map);
    } else if (map_) {
        state.map = map_->SaveState(state.memory);
        map_.reset();
    } else if (state.map) {
        map_ = std::make_unique<CVKT_Map>();
        map_->ExchangeState(*state.map);
        state.map.reset();
    }
    std::swap(pendingDecode_, state.pendingDecode);
    sourceBytes_.swap(state.sourceBytes);
    sourceFileName_.swap(state.sourceFileName);
    std::swap(offsetX_, state.offsetX);
    std::swap(offsetY_, state.offsetY);
    std::swap(displayWidth_, state.displayWidth);
    std::swap(displayHeight_, state.displayHeight);
    std::swap(links_, state.links);
}

}  // namespace plexion
