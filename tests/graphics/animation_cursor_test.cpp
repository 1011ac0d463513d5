#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include "animation_cursor.h"
#include "animation_fixtures.h"
#include "bitmap_item.h"
#include "picture_fixtures.h"

namespace plexion {
namespace {

class AnimationCursor : public ::testing::Test {
protected:
    int Animation(int mode, const std::vector<int>& delays) {
        const int index = test::AddAnimation(document_, mode, delays);
        cursor_.SetDocument(&document_);
        cursor_.SetAnimationIndex(index);
        return index;
    }
    CVKT_IndexList& List(int index) { return *document_.GetAt<CVKT_IndexList>(index); }

    CVKT_ResourceContainer document_;
    CAnimationCursor cursor_;
};

TEST_F(AnimationCursor, ANewCursorIsStoppedWithoutAnimation) {
    EXPECT_FALSE(cursor_.IsPlaying());
    EXPECT_EQ(cursor_.GetAnimationIndex(), -1);
    EXPECT_EQ(cursor_.GetDocument(), nullptr);
    EXPECT_EQ(cursor_.CurrentBitmapIndex(), -1);
    EXPECT_FALSE(cursor_.Reset());
    EXPECT_FALSE(cursor_.Step());
    EXPECT_FALSE(cursor_.Advance(1.0));
}

TEST_F(AnimationCursor, ResetGoesToTheStartOfTheModeWithItsDelay) {
    const int index = Animation(5, {4, 5, 6});
    cursor_.SetRemaining(-7);
    EXPECT_TRUE(cursor_.Reset());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 2);
    EXPECT_EQ(cursor_.GetDirection(), 0);
    EXPECT_EQ(cursor_.GetRemaining(), 6.0);
    EXPECT_EQ(cursor_.CurrentBitmapIndex(), 102);
    List(index).SetPlayMode(2);
    EXPECT_TRUE(cursor_.Reset());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    EXPECT_EQ(cursor_.GetDirection(), 1);
    EXPECT_EQ(cursor_.GetRemaining(), 4.0);
}

TEST_F(AnimationCursor, ResetOfAnEmptyAnimationReportsFalse) {
    Animation(4, {});
    cursor_.SetCurrentFrame(3);
    cursor_.SetRemaining(2);
    cursor_.SetDirection(0);
    EXPECT_FALSE(cursor_.Reset());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    EXPECT_EQ(cursor_.GetRemaining(), 0.0);
    EXPECT_EQ(cursor_.GetDirection(), 1);
}

TEST_F(AnimationCursor, StepWaitsForPlay) {
    Animation(1, test::OneStepEach(3));
    cursor_.Reset();
    EXPECT_FALSE(cursor_.Step());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    cursor_.Play();
    EXPECT_TRUE(cursor_.Step());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 1);
    EXPECT_EQ(cursor_.GetRemaining(), 2.0);
}

TEST_F(AnimationCursor, AStoppingEndRuleAddsNoDelay) {
    Animation(0, {1, 1});
    cursor_.Restart();
    ASSERT_TRUE(cursor_.Step());
    const double before = cursor_.GetRemaining();
    EXPECT_FALSE(cursor_.Step());
    EXPECT_FALSE(cursor_.IsPlaying());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 1);
    EXPECT_EQ(cursor_.GetRemaining(), before);
}

TEST_F(AnimationCursor, AMissingAnimationStopsAtTheNextStep) {
    Animation(1, test::OneStepEach(3));
    cursor_.Restart();
    cursor_.SetAnimationIndex(7);
    cursor_.SetRemaining(0.0);
    EXPECT_FALSE(cursor_.Advance(1.0));
    EXPECT_FALSE(cursor_.IsPlaying());
    EXPECT_EQ(cursor_.CurrentBitmapIndex(), -1);
}

TEST_F(AnimationCursor, TimeLeftOverIsCarriedIntoTheNextFrame) {
    Animation(1, {3, 3});
    cursor_.Restart();
    EXPECT_TRUE(cursor_.Advance(2.5));
    EXPECT_DOUBLE_EQ(cursor_.GetRemaining(), 0.5);
    EXPECT_TRUE(cursor_.Advance(2.5));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    EXPECT_DOUBLE_EQ(cursor_.GetRemaining(), -2.0);
    EXPECT_TRUE(cursor_.Advance(2.5));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 1);
    EXPECT_DOUBLE_EQ(cursor_.GetRemaining(), -1.5);
}

TEST_F(AnimationCursor, AnyTimeLeftKeepsTheFrame) {
    Animation(1, {1, 1});
    cursor_.Restart();
    cursor_.SetRemaining(1e-300);
    EXPECT_TRUE(cursor_.Advance(0.0));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    cursor_.SetRemaining(0.0);
    EXPECT_TRUE(cursor_.Advance(0.0));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 1);
}

TEST_F(AnimationCursor, ARemainingTimeThatIsNotANumberStillMovesOn) {
    Animation(1, test::OneStepEach(3));
    cursor_.Restart();
    cursor_.SetRemaining(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(cursor_.Advance(1.0));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 1);
    cursor_.SetRemaining(-std::numeric_limits<double>::infinity());
    EXPECT_TRUE(cursor_.Advance(1.0));
    EXPECT_EQ(cursor_.GetCurrentFrame(), 2);
}

TEST_F(AnimationCursor, AFrameSetOutsideTheListComesBackByTheEndRules) {
    Animation(1, test::OneStepEach(3));
    cursor_.Restart();
    cursor_.SetCurrentFrame(40);
    EXPECT_EQ(cursor_.CurrentBitmapIndex(), -1);
    EXPECT_TRUE(cursor_.Step());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    cursor_.SetCurrentFrame(std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(cursor_.Step());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
}

TEST_F(AnimationCursor, RestartPlaysFromTheStartAgain) {
    Animation(0, test::OneStepEach(2));
    cursor_.Restart();
    for (int i = 0; i < 4; ++i) {
        cursor_.Advance(1.0);
    }
    ASSERT_FALSE(cursor_.IsPlaying());
    cursor_.Restart();
    EXPECT_TRUE(cursor_.IsPlaying());
    EXPECT_EQ(cursor_.GetCurrentFrame(), 0);
    EXPECT_EQ(cursor_.GetRemaining(), 1.0);
}

TEST_F(AnimationCursor, CopyTakesEveryField) {
    Animation(6, {1, 2, 3});
    cursor_.Restart();
    cursor_.Step();
    CAnimationCursor copy;
    copy.CopyFrom(cursor_);
    EXPECT_EQ(copy.GetDocument(), &document_);
    EXPECT_EQ(copy.GetAnimationIndex(), cursor_.GetAnimationIndex());
    EXPECT_EQ(copy.GetCurrentFrame(), 1);
    EXPECT_EQ(copy.GetDirection(), 0);
    EXPECT_EQ(copy.GetRemaining(), cursor_.GetRemaining());
    EXPECT_TRUE(copy.IsPlaying());
}

class AnimationDrawing : public AnimationCursor {
protected:
    void SetUp() override {
        auto* sprite = document_.GetAt<CVKT_Bitmap>(document_.New<CVKT_Bitmap>("sprite"));
        sprite->TakeImage(test::PictureWithBox(2, 2, QRect(0, 0, 2, 2), qRgb(0, 0, 255)));
        sprite->SetOffsetX(1);
        sprite->SetOffsetY(2);
        const int index = Animation(1, {1, 1});
        List(index).SetFrame(0, {0, 1, 3, 4});
        List(index).SetFrame(1, {5, 1, 0, 0});
        cursor_.Restart();
    }
    QImage Drawn(double x, double y) const {
        QImage target(20, 20, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        cursor_.Draw(painter, x, y);
        return target;
    }
};

TEST_F(AnimationDrawing, FramesDrawWithTheirOffsetsAndTheBitmapsOwn) {
    const QImage drawn = Drawn(2, 3);
    // 2 + 3 + 1 = 6, 3 + 4 + 2 = 9
    EXPECT_EQ(drawn.pixel(6, 9), qRgb(0, 0, 255));
    EXPECT_EQ(drawn.pixel(7, 10), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(drawn.pixel(5, 9)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(8, 11)), 0);
}

TEST_F(AnimationDrawing, OntoABitmapTheSameWay) {
    CVKT_Bitmap target;
    ASSERT_TRUE(target.CreateBlank(CVKT_Bitmap::kKindDib32, 20, 20));
    EXPECT_TRUE(cursor_.DrawOnto(target, 2, 3));
    EXPECT_EQ(target.GetPixel(6, 9), MakeColor(0, 0, 255));
    EXPECT_EQ(target.GetPixel(5, 9), MakeColor(0, 0, 0));
}

TEST_F(AnimationDrawing, AFrameWithoutItsBitmapDrawsNothing) {
    cursor_.Step();
    EXPECT_EQ(cursor_.CurrentBitmapIndex(), 5);
    const QImage drawn = Drawn(0, 0);
    EXPECT_EQ(drawn, [] {
        QImage empty(20, 20, QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        return empty;
    }());
}

TEST_F(AnimationDrawing, OnlyBitmapAnimationsDraw) {
    List(cursor_.GetAnimationIndex()).SetType(2);
    QImage target(20, 20, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    EXPECT_FALSE(cursor_.Draw(painter, 2, 3));
    painter.end();
    EXPECT_EQ(qAlpha(target.pixel(6, 9)), 0);
}

// The game step runs on its own thread while painting reads the cursor:
// a reader must only ever see frames of the animation, never a position on
// its way through an end rule.
TEST_F(AnimationCursor, PaintingSeesOnlyFramesOfTheAnimationWhileTheGameSteps) {
    for (const int mode : {1, 3, 5, 7}) {
        Animation(mode, test::OneStepEach(3));
        cursor_.Restart();
        std::atomic<bool> done = false;
        std::thread gameClock([&] {
            for (int i = 0; i < 20000; ++i) {
                cursor_.Advance(1.0);
            }
            done = true;
        });
        int outside = 0;
        while (!done) {
            const int frame = cursor_.GetCurrentFrame();
            const int bitmap = cursor_.CurrentBitmapIndex();
            outside += frame < 0 || frame > 2 || bitmap < 100 || bitmap > 102;
        }
        gameClock.join();
        EXPECT_EQ(outside, 0) << "mode " << mode;
        EXPECT_TRUE(cursor_.IsPlaying());
    }
}

}  // namespace
}  // namespace plexion
