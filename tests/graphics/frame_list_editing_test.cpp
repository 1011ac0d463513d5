#include <gtest/gtest.h>

#include <limits>

#include "bitmap_item.h"
#include "frame_list_editing.h"
#include "index_list_item.h"
#include "plexion_doc_core.h"

namespace plexion {
namespace {

namespace fl = frame_list;

class FrameListEditing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* id : {"a", "b", "c"}) {
            Resources().New<CVKT_Bitmap>(id);
        }
        animation_ = Resources().New<CVKT_IndexList>("walk");
        for (int i = 0; i < 5; ++i) {
            List().AddFrame({i, i + 1, 10 * i, -i});
        }
        document_.SetModified(false);
    }
    CVKT_ResourceContainer& Resources() { return document_.Resources(); }
    CVKT_IndexList& List() { return *Resources().GetAt<CVKT_IndexList>(animation_); }
    std::vector<int> Bitmaps() {
        std::vector<int> bitmaps;
        for (int i = 0; i < List().FrameCount(); ++i) {
            bitmaps.push_back(List().Frame(i).bitmap);
        }
        return bitmaps;
    }
    std::vector<int> Delays() {
        std::vector<int> delays;
        for (int i = 0; i < List().FrameCount(); ++i) {
            delays.push_back(List().Frame(i).delay);
        }
        return delays;
    }

    CPlexionDocCore document_;
    int animation_ = -1;
};

TEST_F(FrameListEditing, AddToListAppendsTheBitmapForOneStep) {
    EXPECT_EQ(fl::AddToList(document_, animation_, 2), 5);
    EXPECT_EQ(List().Frame(5), (CAnimationFrame{2, 1, 0, 0}));
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(FrameListEditing, AddToListNeedsABitmapAndAnAnimation) {
    EXPECT_EQ(fl::AddToList(document_, animation_, 3), -1);
    EXPECT_EQ(fl::AddToList(document_, animation_, -1), -1);
    EXPECT_EQ(fl::AddToList(document_, 4, 0), -1);
    EXPECT_EQ(List().FrameCount(), 5);
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(FrameListEditing, MovingSwapsWholeFramesAndFollowsTheMovedOne) {
    const CAnimationFrame second = List().Frame(1);
    const CAnimationFrame third = List().Frame(2);
    EXPECT_EQ(fl::MoveUp(document_, animation_, 2), 1);
    EXPECT_EQ(List().Frame(1), third);
    EXPECT_EQ(List().Frame(2), second);
    EXPECT_EQ(fl::MoveDown(document_, animation_, 1), 2);
    EXPECT_EQ(List().Frame(2), third);
}

TEST_F(FrameListEditing, TheEndFramesStayWhereTheyAre) {
    EXPECT_EQ(fl::MoveUp(document_, animation_, 0), 0);
    EXPECT_EQ(fl::MoveDown(document_, animation_, 4), 4);
    EXPECT_EQ(fl::MoveUp(document_, animation_, 9), 9);
    EXPECT_EQ(Bitmaps(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(FrameListEditing, ReversingFiveFramesKeepsTheMiddleOne) {
    const CAnimationFrame middle = List().Frame(2);
    const CAnimationFrame first = List().Frame(0);
    EXPECT_TRUE(fl::ReverseAll(document_, animation_));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(List().Frame(2), middle);
    EXPECT_EQ(List().Frame(4), first);
}

TEST_F(FrameListEditing, RemoveTakesOutOneFrame) {
    EXPECT_TRUE(fl::Remove(document_, animation_, 1));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(List().Frame(1), (CAnimationFrame{2, 3, 20, -2}));
    EXPECT_FALSE(fl::Remove(document_, animation_, 4));
    EXPECT_FALSE(fl::Remove(document_, animation_, -1));
}

TEST_F(FrameListEditing, DelaysNeverGoBelowOne) {
    EXPECT_FALSE(fl::DecrementDelay(document_, animation_, 0));
    EXPECT_EQ(List().Frame(0).delay, 1);
    EXPECT_TRUE(fl::DecrementDelay(document_, animation_, 2));
    EXPECT_EQ(List().Frame(2).delay, 2);
    EXPECT_TRUE(fl::IncrementDelay(document_, animation_, 0));
    EXPECT_EQ(List().Frame(0).delay, 2);
    EXPECT_TRUE(fl::DecrementAllDelays(document_, animation_));
    EXPECT_EQ(Delays(), (std::vector<int>{1, 1, 1, 3, 4}));
    EXPECT_TRUE(fl::IncrementAllDelays(document_, animation_));
    EXPECT_EQ(Delays(), (std::vector<int>{2, 2, 2, 4, 5}));
}

TEST_F(FrameListEditing, DelaysBelowOneFromAFileAreRaisedToOne) {
    List().SetFrame(0, {0, -4, 0, 0});
    List().SetFrame(1, {1, 0, 0, 0});
    EXPECT_TRUE(fl::IncrementDelay(document_, animation_, 0));
    EXPECT_EQ(List().Frame(0).delay, 1);
    EXPECT_TRUE(fl::DecrementDelay(document_, animation_, 1));
    EXPECT_EQ(List().Frame(1).delay, 1);
}

TEST_F(FrameListEditing, TheLargestDelayDoesNotOverflow) {
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(fl::IncrementedDelay(most), most);
    EXPECT_EQ(fl::IncrementedDelay(most - 1), most);
    EXPECT_EQ(fl::DecrementedDelay(std::numeric_limits<std::int32_t>::min()), 1);
}

TEST_F(FrameListEditing, MakeAnimationFromSelectionFillsBitmapsSelection) {
    const int selection = Resources().New<CVKT_IndexList>(fl::kSelectionAnimationId);
    auto* list = Resources().GetAt<CVKT_IndexList>(selection);
    list->SetType(3);
    list->SetPlayMode(6);
    list->AddFrame({9, 4, 1, 1});
    EXPECT_EQ(fl::MakeAnimationFromSelection(document_, {2, 0, 1}), selection);
    EXPECT_EQ(list->Type(), 1);
    EXPECT_EQ(list->PlayMode(), 1);
    ASSERT_EQ(list->FrameCount(), 4);
    EXPECT_EQ(list->Frame(0), (CAnimationFrame{9, 4, 1, 1}));
    EXPECT_EQ(list->Frame(1), (CAnimationFrame{2, 1, 0, 0}));
    EXPECT_EQ(list->Frame(3), (CAnimationFrame{1, 1, 0, 0}));
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(FrameListEditing, MakeAnimationFromSelectionWithNothingSelectedChangesNothing) {
    const int selection = Resources().New<CVKT_IndexList>(fl::kSelectionAnimationId);
    Resources().GetAt<CVKT_IndexList>(selection)->SetPlayMode(4);
    document_.SetModified(false);
    EXPECT_EQ(fl::MakeAnimationFromSelection(document_, {}), -1);
    EXPECT_EQ(Resources().GetAt<CVKT_IndexList>(selection)->PlayMode(), 4);
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(FrameListEditing, MakeAnimationFromSelectionWithoutItsListChangesNothing) {
    EXPECT_EQ(fl::MakeAnimationFromSelection(document_, {0, 1}), -1);
    EXPECT_EQ(Resources().Count<CVKT_IndexList>(), 1);
    EXPECT_EQ(List().FrameCount(), 5);
    EXPECT_FALSE(document_.IsModified());
}

}  // namespace
}  // namespace plexion
