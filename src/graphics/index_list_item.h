#pragma once

#include <cstdint>
#include <string>

#include "growable_array.h"
#include "resource.h"

namespace plexion {

// One frame of an animation: a bitmap by its index, how many game steps it
// shows, and where it is drawn relative to the animation's origin.
struct CAnimationFrame {
    std::int32_t bitmap = 0;
    std::int32_t delay = 1;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    bool operator==(const CAnimationFrame&) const = default;
};

// An animation: an ordered list of frames and a play mode.
class CVKT_IndexList : public CVKT_Resource {
public:
    static constexpr int kKind = 3;
    static constexpr std::int32_t kTypeBitmaps = 1;
    static constexpr std::int32_t kDefaultPlayMode = 1;
    static constexpr int kPlayModeCount = 8;

    int Serialize(CArchive& archive) override;
    // "%d Frames"
    std::string Specifications() const override;

    static std::string PlayModeName(int mode);

    void Clear();
    int FrameCount() const { return bitmaps_.Size(); }
    CAnimationFrame Frame(int index) const;
    void SetFrame(int index, const CAnimationFrame& frame);
    void AddFrame(const CAnimationFrame& frame);
    void SetFrameCount(int count);

    std::int32_t Type() const { return type_; }
    void SetType(std::int32_t type) { type_ = type; }
    std::int32_t PlayMode() const { return playMode_; }
    void SetPlayMode(std::int32_t mode) { playMode_ = mode; }

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::int32_t type_ = kTypeBitmaps;
    CGrowableArray<std::int32_t> bitmaps_;
    CGrowableArray<std::int32_t> delays_;
    CGrowableArray<std::int32_t> offsetsX_;
    CGrowableArray<std::int32_t> offsetsY_;
    std::int32_t playMode_ = kDefaultPlayMode;
};

}  // namespace plexion
