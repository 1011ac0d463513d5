#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

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
        ResetFrames();
    }
    // Five frames showing bitmaps 0 to 4 for 1 to 5 steps, unmodified.
    void ResetFrames() {
        List().SetFrameCount(0);
        for (int i = 0; i < 5; ++i) {
            List().AddFrame({i, i + 1, 10 * i, -i});
        }
        document_.SetModified(false);
    }
    // Set-up and reads go to the items directly, as a load would; the
    // commands under test change them through the editing path.
    CVKT_ResourceContainer& Resources() {
        return const_cast<CVKT_ResourceContainer&>(document_.Resources());
    }
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

    // Runs `edit` on the animation as one change of the document.
    bool Edit(const std::function<bool(CVKT_IndexList&)>& edit) {
        return document_.Edit("Edit Frames", [&](CVKT_ResourceContainer& resources) {
            return edit(*resources.GetAt<CVKT_IndexList>(animation_));
        });
    }
    std::vector<int> Insert(int at, const std::vector<int>& bitmaps) {
        std::vector<int> inserted;
        Edit([&](CVKT_IndexList& list) {
            inserted = fl::InsertFrames(Resources(), list, at, bitmaps);
            return !inserted.empty();
        });
        return inserted;
    }

    CPlexionDocCore document_;
    int animation_ = -1;
};

TEST_F(FrameListEditing, InsertingAddsEachBitmapForOneStepWhereAsked) {
    EXPECT_EQ(Insert(5, {2}), std::vector<int>{5});
    EXPECT_EQ(List().Frame(5), (CAnimationFrame{2, 1, 0, 0}));
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(Insert(1, {0, 2}), (std::vector<int>{1, 2}));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{0, 0, 2, 1, 2, 3, 4, 2}));
    EXPECT_EQ(List().Frame(3), (CAnimationFrame{1, 2, 10, -1}));
    // Outside the frames is the end.
    EXPECT_EQ(Insert(-1, {1}), std::vector<int>{8});
}

TEST_F(FrameListEditing, InsertingNeedsExistingBitmaps) {
    EXPECT_EQ(Insert(5, {3, -1}), std::vector<int>{});
    EXPECT_EQ(List().FrameCount(), 5);
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(FrameListEditing, MovingCarriesTheMarkedFramesWhole) {
    struct Case {
        std::vector<int> marked;
        int by;
        std::vector<int> bitmaps;
        std::vector<int> movedTo;
    };
    const std::vector<Case> cases = {
        {{2}, -1, {0, 2, 1, 3, 4}, {1}},
        {{2}, 1, {0, 1, 3, 2, 4}, {3}},
        // The end frames stay where they are.
        {{0}, -1, {0, 1, 2, 3, 4}, {0}},
        {{4}, 1, {0, 1, 2, 3, 4}, {4}},
        {{9}, -1, {0, 1, 2, 3, 4}, {}},
        // Several frames move together, past the unmarked ones between them.
        {{1, 3}, -1, {1, 0, 3, 2, 4}, {0, 2}},
        {{2, 1}, 1, {0, 3, 1, 2, 4}, {2, 3}},
        {{0, 3}, -1, {0, 1, 2, 3, 4}, {0, 3}},
    };
    for (const Case& test : cases) {
        ResetFrames();
        const CAnimationFrame first = List().Frame(std::min(test.marked.front(), 4));
        std::vector<int> movedTo = test.marked;
        const bool changed =
            Edit([&](CVKT_IndexList& list) { return fl::MoveFrames(list, movedTo, test.by); });
        EXPECT_EQ(Bitmaps(), test.bitmaps) << test.marked.front() << " by " << test.by;
        EXPECT_EQ(movedTo, test.movedTo) << test.marked.front() << " by " << test.by;
        EXPECT_EQ(changed, test.bitmaps != (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(changed, document_.IsModified());
        if (movedTo.size() == 1) {
            EXPECT_EQ(List().Frame(movedTo.front()), first);
        }
    }
}

TEST_F(FrameListEditing, ReversingFiveFramesKeepsTheMiddleOne) {
    const CAnimationFrame middle = List().Frame(2);
    const CAnimationFrame first = List().Frame(0);
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::ReverseAll(list); }));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(List().Frame(2), middle);
    EXPECT_EQ(List().Frame(4), first);
}

TEST_F(FrameListEditing, RemoveTakesOutTheMarkedFrames) {
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::RemoveFrames(list, {1}); }));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(List().Frame(1), (CAnimationFrame{2, 3, 20, -2}));
    EXPECT_FALSE(Edit([](CVKT_IndexList& list) { return fl::RemoveFrames(list, {4, -1}); }));
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::RemoveFrames(list, {3, 0, 3}); }));
    EXPECT_EQ(Bitmaps(), (std::vector<int>{2, 3}));
}

TEST_F(FrameListEditing, DelaysNeverGoBelowOne) {
    const auto decrement = [this](std::vector<int> frames) {
        return Edit([&](CVKT_IndexList& list) { return fl::DecrementDelays(list, frames); });
    };
    const auto increment = [this](std::vector<int> frames) {
        return Edit([&](CVKT_IndexList& list) { return fl::IncrementDelays(list, frames); });
    };
    EXPECT_FALSE(decrement({0}));
    EXPECT_EQ(List().Frame(0).delay, 1);
    EXPECT_TRUE(decrement({2}));
    EXPECT_EQ(List().Frame(2).delay, 2);
    EXPECT_TRUE(increment({0}));
    EXPECT_EQ(List().Frame(0).delay, 2);
    EXPECT_TRUE(decrement(fl::AllFrames(List())));
    EXPECT_EQ(Delays(), (std::vector<int>{1, 1, 1, 3, 4}));
    EXPECT_TRUE(increment(fl::AllFrames(List())));
    EXPECT_EQ(Delays(), (std::vector<int>{2, 2, 2, 4, 5}));
    EXPECT_TRUE(increment({1, 3}));
    EXPECT_EQ(Delays(), (std::vector<int>{2, 3, 2, 5, 5}));
}

TEST_F(FrameListEditing, DelaysBelowOneFromAFileAreRaisedToOne) {
    List().SetFrame(0, {0, -4, 0, 0});
    List().SetFrame(1, {1, 0, 0, 0});
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::IncrementDelays(list, {0}); }));
    EXPECT_EQ(List().Frame(0).delay, 1);
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::DecrementDelays(list, {1}); }));
    EXPECT_EQ(List().Frame(1).delay, 1);
}

TEST_F(FrameListEditing, OffsetsMoveTogetherAndStopAtTheLimits) {
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::MoveOffsets(list, {1, 2}, 3, -4); }));
    EXPECT_EQ(List().Frame(1), (CAnimationFrame{1, 2, 13, -5}));
    EXPECT_EQ(List().Frame(2), (CAnimationFrame{2, 3, 23, -6}));
    EXPECT_EQ(List().Frame(0), (CAnimationFrame{0, 1, 0, 0}));
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    List().SetFrame(0, {0, 1, most - 1, 0});
    EXPECT_TRUE(Edit([](CVKT_IndexList& list) { return fl::MoveOffsets(list, {0}, 5, 0); }));
    EXPECT_EQ(List().Frame(0).offsetX, most);
    EXPECT_FALSE(Edit([](CVKT_IndexList& list) { return fl::MoveOffsets(list, {0}, 0, 0); }));
}

TEST_F(FrameListEditing, SetFramesReplacesThemAll) {
    const std::vector<CAnimationFrame> frames = {{2, 5, 1, 1}, {0, 1, 0, 0}};
    EXPECT_TRUE(Edit([&](CVKT_IndexList& list) { return fl::SetFrames(list, frames); }));
    ASSERT_EQ(List().FrameCount(), 2);
    EXPECT_EQ(List().Frame(0), frames[0]);
    EXPECT_EQ(List().Frame(1), frames[1]);
    EXPECT_FALSE(Edit([&](CVKT_IndexList& list) { return fl::SetFrames(list, frames); }));
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
