#include "animation_cursor.h"

#include <cmath>

#include "bitmap_item.h"
#include "index_list_item.h"
#include "play_modes.h"
#include "resource_container.h"

namespace plexion {
namespace {

// The frame of `animation` the cursor shows, when it draws one.
const CAnimationFrame* DrawnFrame(const CVKT_IndexList* animation, std::int32_t frame,
                                  CAnimationFrame& storage) {
    if (!animation || animation->Type() != CVKT_IndexList::kTypeBitmaps || frame < 0 ||
        frame >= animation->FrameCount()) {
        return nullptr;
    }
    storage = animation->Frame(frame);
    return &storage;
}

}  // namespace

std::int32_t EffectiveDelay(const CVKT_IndexList& animation, std::int32_t frame) {
    if (frame < 0 || frame >= animation.FrameCount()) {
        return 1;
    }
    const std::int32_t delay = animation.Frame(frame).delay;
    return delay < 1 ? 1 : delay;
}

void CAnimationCursor::CopyFrom(const CAnimationCursor& other) {
    playing_ = other.playing_.load();
    document_ = other.document_.load();
    remaining_ = other.remaining_.load();
    currentFrame_ = other.currentFrame_.load();
    animationIndex_ = other.animationIndex_.load();
    direction_ = other.direction_.load();
}

const CVKT_ResourceContainer* CAnimationCursor::GetDocument() const {
    return document_;
}

void CAnimationCursor::SetDocument(const CVKT_ResourceContainer* document) {
    document_ = document;
}

const CVKT_IndexList* CAnimationCursor::Animation() const {
    const CVKT_ResourceContainer* document = document_;
    return document ? document->GetAt<CVKT_IndexList>(animationIndex_) : nullptr;
}

bool CAnimationCursor::DrawOnto(CVKT_Bitmap& target, double x, double y) const {
    CAnimationFrame storage;
    const CAnimationFrame* frame = DrawnFrame(Animation(), currentFrame_, storage);
    const CVKT_Bitmap* bitmap =
        frame ? document_.load()->GetAt<CVKT_Bitmap>(frame->bitmap) : nullptr;
    return bitmap && bitmap->DrawOnto(target, x + frame->offsetX, y + frame->offsetY);
}

bool CAnimationCursor::Draw(QPainter& painter, double x, double y) const {
    CAnimationFrame storage;
    const CAnimationFrame* frame = DrawnFrame(Animation(), currentFrame_, storage);
    const CVKT_Bitmap* bitmap =
        frame ? document_.load()->GetAt<CVKT_Bitmap>(frame->bitmap) : nullptr;
    return bitmap && bitmap->Draw(painter, x + frame->offsetX, y + frame->offsetY);
}

std::int32_t CAnimationCursor::GetAnimationIndex() const {
    return animationIndex_;
}

std::int32_t CAnimationCursor::GetDirection() const {
    return direction_;
}

double CAnimationCursor::GetRemaining() const {
    return remaining_;
}

std::int32_t CAnimationCursor::GetCurrentFrame() const {
    return currentFrame_;
}

void CAnimationCursor::SetCurrentFrame(std::int32_t frame) {
    currentFrame_ = frame;
}

void CAnimationCursor::SetRemaining(double remaining) {
    remaining_ = remaining;
}

void CAnimationCursor::SetDirection(std::int32_t direction) {
    direction_ = direction;
}

void CAnimationCursor::SetAnimationIndex(std::int32_t index) {
    animationIndex_ = index;
}

std::int32_t CAnimationCursor::CurrentBitmapIndex() const {
    const CVKT_IndexList* animation = Animation();
    const std::int32_t frame = currentFrame_;
    if (!animation || frame < 0 || frame >= animation->FrameCount()) {
        return -1;
    }
    return animation->Frame(frame).bitmap;
}

bool CAnimationCursor::IsPlaying() const {
    return playing_ != 0;
}

void CAnimationCursor::Restart() {
    Stop();
    Reset();
    Play();
}

void CAnimationCursor::Stop() {
    playing_ = 0;
}

void CAnimationCursor::Play() {
    playing_ = 1;
}

bool CAnimationCursor::Reset() {
    const CVKT_IndexList* animation = Animation();
    if (!animation || animation->FrameCount() < 1) {
        remaining_ = 0.0;
        currentFrame_ = 0;
        direction_ = 1;
        return false;
    }
    const bool backward = PlayModeStartsBackward(animation->PlayMode());
    const std::int32_t frame = backward ? animation->FrameCount() - 1 : 0;
    direction_ = backward ? 0 : 1;
    currentFrame_ = frame;
    remaining_ = EffectiveDelay(*animation, frame);
    return true;
}

// Step and Advance run on the game clock's thread, the one writer while
// the clock runs: its own loads need no ordering, and each store publishes
// a finished value to painting with release order.
bool CAnimationCursor::Step() {
    if (!IsPlaying()) {
        return false;
    }
    const CVKT_IndexList* animation = Animation();
    if (!animation || animation->FrameCount() < 2) {
        Reset();
        Stop();
        return false;
    }
    const CFramePosition from = {currentFrame_.load(std::memory_order_relaxed),
                                 direction_.load(std::memory_order_relaxed) != 0, false};
    const CFramePosition next =
        NextFramePosition(animation->PlayMode(), from, animation->FrameCount());
    direction_.store(next.forward ? 1 : 0, std::memory_order_release);
    currentFrame_.store(next.frame, std::memory_order_release);
    if (next.stopped) {
        Stop();
        return false;
    }
    remaining_.store(
        remaining_.load(std::memory_order_relaxed) + EffectiveDelay(*animation, next.frame),
        std::memory_order_release);
    return true;
}

bool CAnimationCursor::Advance(double elapsed) {
    if (!IsPlaying()) {
        return false;
    }
    // A remaining time that is not a number (or infinite) would keep the loop
    // below from ever ending; it counts as nothing left.
    if (!std::isfinite(remaining_.load(std::memory_order_relaxed))) {
        remaining_.store(0.0, std::memory_order_release);
    }
    while (!(remaining_.load(std::memory_order_relaxed) > 0.0)) {
        if (!Step()) {
            return false;
        }
    }
    remaining_.store(remaining_.load(std::memory_order_relaxed) - elapsed,
                     std::memory_order_release);
    return true;
}

}  // namespace plexion
