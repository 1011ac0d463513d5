#include "index_list_item.h"

#include <array>

#include "archive.h"

namespace plexion {
namespace {

constexpr std::uint64_t kFrameRecordBytes = 16;

constexpr std::array<const char*, CVKT_IndexList::kPlayModeCount> kPlayModeNames = {
    "Forward Once",  "Forward Loop",  "Forward and Backward Once", "Forward and Backward Loop",
    "Backward Once", "Backward Loop", "Backward and Forward Once", "Backward and Forward Loop",
};

}  // namespace

std::unique_ptr<CVKT_Resource> CVKT_IndexList::NewOfSameKind() const {
    return std::make_unique<CVKT_IndexList>();
}

std::string CVKT_IndexList::PlayModeName(int mode) {
    return mode >= 0 && mode < kPlayModeCount ? kPlayModeNames[mode] : std::string();
}

void CVKT_IndexList::Clear() {
    type_ = kTypeBitmaps;
    bitmaps_.RemoveAll();
    delays_.RemoveAll();
    offsetsX_.RemoveAll();
    offsetsY_.RemoveAll();
    playMode_ = kDefaultPlayMode;
}

CAnimationFrame CVKT_IndexList::Frame(int index) const {
    return {bitmaps_[index], delays_[index], offsetsX_[index], offsetsY_[index]};
}

void CVKT_IndexList::SetFrame(int index, const CAnimationFrame& frame) {
    bitmaps_[index] = frame.bitmap;
    delays_[index] = frame.delay;
    offsetsX_[index] = frame.offsetX;
    offsetsY_[index] = frame.offsetY;
}

void CVKT_IndexList::AddFrame(const CAnimationFrame& frame) {
    SetFrameCount(FrameCount() + 1);
    SetFrame(FrameCount() - 1, frame);
}

void CVKT_IndexList::SetFrameCount(int count) {
    bitmaps_.SetSize(count);
    delays_.SetSize(count);
    offsetsX_.SetSize(count);
    offsetsY_.SetSize(count);
}

std::string CVKT_IndexList::Specifications() const {
    return std::to_string(FrameCount()) + " Frames";
}

int CVKT_IndexList::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(1);
        archive.WriteInt32(type_);
        archive.WriteInt32(FrameCount());
        for (int i = 0; i < FrameCount(); ++i) {
            const CAnimationFrame frame = Frame(i);
            archive.WriteInt32(frame.bitmap);
            archive.WriteInt32(frame.delay);
            archive.WriteInt32(frame.offsetX);
            archive.WriteInt32(frame.offsetY);
        }
        archive.WriteInt32(playMode_);
        return 1;
    }
    Clear();
    archive.Skip(8);
    type_ = archive.ReadInt32();
    const std::int32_t count = archive.ReadInt32();
    archive.CheckClaim(count, kFrameRecordBytes);
    SetFrameCount(count);
    for (int i = 0; i < FrameCount(); ++i) {
        CAnimationFrame frame;
        frame.bitmap = archive.ReadInt32();
        frame.delay = archive.ReadInt32();
        frame.offsetX = archive.ReadInt32();
        frame.offsetY = archive.ReadInt32();
        SetFrame(i, frame);
    }
    playMode_ = archive.ReadInt32();
    return 1;
}

}  // namespace plexion
