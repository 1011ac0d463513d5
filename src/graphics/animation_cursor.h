#pragma once

#include <atomic>
#include <cstdint>

class QPainter;

namespace plexion {

class CVKT_Bitmap;
class CVKT_IndexList;
class CVKT_ResourceContainer;

// Plays one animation of a document on the game clock: one advance(1.0) per
// game step, a frame with delay n showing for n steps.
//
// The game step runs on the game clock's own thread while painting reads the
// cursor on the interface thread without a lock, so every field the step
// changes is atomic and the step publishes each new frame with one store:
// a reader never sees a frame outside the animation's frames.
class CAnimationCursor {
public:
    static constexpr std::int32_t kNoAnimation = -1;

    CAnimationCursor() = default;
    CAnimationCursor(const CAnimationCursor&) = delete;
    CAnimationCursor& operator=(const CAnimationCursor&) = delete;
    virtual ~CAnimationCursor() = default;

    // Takes over every field of `other`.
    virtual void CopyFrom(const CAnimationCursor& other);
    virtual const CVKT_ResourceContainer* GetDocument() const;
    virtual void SetDocument(const CVKT_ResourceContainer* document);
    // Draws the current frame onto `target`, adding the frame's offsets and
    // the source bitmap's own.
    virtual bool DrawOnto(CVKT_Bitmap& target, double x, double y) const;
    // Draws the current frame at (x + frame offset X, y + frame offset Y);
    // the bitmap adds its own offsets.
    virtual bool Draw(QPainter& painter, double x, double y) const;
    virtual std::int32_t GetAnimationIndex() const;
    // 1 forward, 0 backward.
    virtual std::int32_t GetDirection() const;
    virtual double GetRemaining() const;
    virtual std::int32_t GetCurrentFrame() const;
    virtual void SetCurrentFrame(std::int32_t frame);
    virtual void SetRemaining(double remaining);
    virtual void SetDirection(std::int32_t direction);
    virtual void SetAnimationIndex(std::int32_t index);
    // The bitmap index of the current frame; -1 when there is none.
    virtual std::int32_t CurrentBitmapIndex() const;
    virtual bool IsPlaying() const;
    virtual void Restart();
    virtual void Stop();
    virtual void Play();
    // To the start frame of the play mode with its delay; false (and frame 0,
    // nothing remaining) when there is no animation or it has no frames.
    virtual bool Reset();
    // Runs `elapsed` game steps; false once stopped.
    virtual bool Advance(double elapsed);
    // Moves to the next frame by the play mode's rules; false when that
    // stops the animation or there is nothing to step through.
    virtual bool Step();

private:
    const CVKT_IndexList* Animation() const;

    std::atomic<std::int32_t> playing_{0};
    std::atomic<const CVKT_ResourceContainer*> document_{nullptr};
    std::atomic<double> remaining_{0.0};
    std::atomic<std::int32_t> currentFrame_{0};
    std::atomic<std::int32_t> animationIndex_{kNoAnimation};
    std::atomic<std::int32_t> direction_{1};
};

// The delay a frame shows for: delays below 1 (possible in files) count as 1,
// so that advancing always moves on; a frame outside the list counts as 1.
std::int32_t EffectiveDelay(const CVKT_IndexList& animation, std::int32_t frame);

}  // namespace plexion
