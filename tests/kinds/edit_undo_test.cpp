#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "color_item.h"
#include "edit_step_indexes.h"
#include "index_list_item.h"
#include "map_item.h"
#include "plexion_doc_core.h"
#include "temp_dir.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion {
namespace {

using Change = CPlexionDocCore::Change;

// A document with items of every kind, whose steps are kept in order.
class EditUndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc_.SetStepSink([this](std::unique_ptr<CEditStep> step) {
            steps_.push_back(std::move(step));
        });
        doc_.AddChangeListener([this](const CDocumentChange& change) { told_.push_back(change); });
        ASSERT_TRUE(doc_.Edit("Fill", [](CVKT_ResourceContainer& c) {
            for (const char* id : {"a", "b", "c"}) {
                c.GetAt<CVKT_Text>(c.New<CVKT_Text>(id))->SetText(std::string(id) + " text");
            }
            QImage picture(4, 3, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::red);
            c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("pic"))->TakeImage(picture);
            c.GetAt<CVKT_WavMemory>(c.New<CVKT_WavMemory>("snd"))
                ->SetPcm(16, 1, 22050, 2, {1, 2, 3, 4});
            c.GetAt<CVKT_IndexList>(c.New<CVKT_IndexList>("anim"))->AddFrame({0, 2, 1, 1});
            c.GetAt<CVKT_Trajectory>(c.New<CVKT_Trajectory>("path"))->AddPoint(1, 2);
            auto* map = c.GetAt<CVKT_Map>(c.New<CVKT_Map>("map"));
            map->InsertColumn(0);
            map->InsertLine(0);
            c.GetAt<CVKT_Color>(c.New<CVKT_Color>("col"))->SetValue(7);
            auto* file = c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("bin"));
            file->Data().SetSize(3);
            return true;
        }));
        steps_.clear();
        told_.clear();
        doc_.SetModified(false);
    }

    std::vector<std::uint8_t> Saved() {
        const std::string path = dir_.File("saved.dat");
        EXPECT_TRUE(doc_.SaveDocument(path));
        return test::ReadFileBytes(path);
    }

    std::vector<const CVKT_Resource*> AllItems() const {
        std::vector<const CVKT_Resource*> items;
        for (int kind = 0; kind < kKindCount; ++kind) {
            for (const auto& item : doc_.Resources().GroupAt(kind)->Items()) {
                items.push_back(item.get());
            }
        }
        return items;
    }

    test::CTempDir dir_;
    CPlexionDocCore doc_;
    std::vector<std::unique_ptr<CEditStep>> steps_;
    std::vector<CDocumentChange> told_;
};

struct UndoCase {
    const char* name;
    Change change;
};

TEST_F(EditUndoTest, EveryKindOfChangeUndoesAndRedoesToTheSameFileAndObjects) {
    const std::vector<UndoCase> cases = {
        {"text", [](auto& c) { c.template GetAt<CVKT_Text>(1)->SetText("new"); return true; }},
        {"text fields", [](auto& c) { auto* t = c.template GetAt<CVKT_Text>(2);
                                      t->SetValue(3); t->SetComments("n"); return t->SetID("d") != 0; }},
        {"insert", [](auto& c) { return c.template New<CVKT_Color>("new") >= 0; }},
        {"delete", [](auto& c) { return c.template Delete<CVKT_Text>(0) && c.template Delete<CVKT_Text>(1); }},
        {"move", [](auto& c) { return c.template Move<CVKT_Text>(0, 2) != 0; }},
        {"sound", [](auto& c) { return c.template GetAt<CVKT_WavMemory>(0)->SetPcm(8, 1, 8000, 1, {9}); }},
        {"stroke", [](auto& c) { auto* t = c.template GetAt<CVKT_Trajectory>(0);
                                 return t->AddPoint(5, 5) && t->AddPoint(6, 7); }},
        {"map", [](auto& c) { return c.template GetAt<CVKT_Map>(0)->SetCell(0, 0, 42); }},
        {"frames", [](auto& c) { c.template GetAt<CVKT_IndexList>(0)->AddFrame({0, 3, 0, 0}); return true; }},
        {"picture", [](auto& c) { c.template GetAt<CVKT_Bitmap>(0)->TakeImage(QImage(2, 2, QImage::Format_ARGB32_Premultiplied)); return true; }},
        {"binary", [](auto& c) { c.template GetAt<CVKT_BinaryFile>(0)->Data().Data()[1] = 9; return true; }},
        {"properties", [](auto& c) { return c.SetName("Level 1") && c.SetComments("x"); }},
        {"clear group", [](auto& c) { return c.GroupAt(kKindColors)->RemoveAll(); }},
    };
    for (const UndoCase& test : cases) {
        SCOPED_TRACE(test.name);
        const auto before = Saved();
        const auto items = AllItems();
        ASSERT_TRUE(doc_.Edit(test.name, test.change));
        ASSERT_EQ(steps_.size(), 1u);
        const auto after = Saved();
        ASSERT_NE(after, before);
        doc_.Undo(*steps_.back());
        EXPECT_EQ(Saved(), before);
        EXPECT_EQ(AllItems(), items);
        doc_.Redo(*steps_.back());
        EXPECT_EQ(Saved(), after);
        doc_.Undo(*steps_.back());
        steps_.clear();
    }
}

TEST_F(EditUndoTest, NestedEditsAndAnOpenStepMakeOneStep) {
    const auto before = Saved();
    doc_.Edit("Edit 3 Rows", [this](CVKT_ResourceContainer&) {
        for (int row = 0; row < 3; ++row) {
            doc_.Edit("Edit Row", [row](CVKT_ResourceContainer& c) {
                c.GetAt<CVKT_Text>(row)->SetComments("marked");
                return true;
            });
        }
        return true;
    });
    doc_.OpenStep("Paint Map Cells");
    EXPECT_TRUE(doc_.HasOpenStep());
    for (int value = 1; value <= 3; ++value) {
        doc_.Edit("Paint", [value](CVKT_ResourceContainer& c) {
            return c.GetAt<CVKT_Map>(0)->SetCell(0, 0, static_cast<std::int16_t>(value));
        });
    }
    EXPECT_EQ(told_.size(), 1u) << "an open step is told when it closes";
    doc_.CloseStep();
    ASSERT_EQ(told_.size(), 2u);
    EXPECT_TRUE(told_.back().Touches(kKindMaps));
    ASSERT_EQ(steps_.size(), 2u);
    EXPECT_EQ(steps_[0]->Label(), "Edit 3 Rows");
    EXPECT_EQ(steps_[1]->Label(), "Paint Map Cells");
    doc_.Undo(*steps_[1]);
    doc_.Undo(*steps_[0]);
    EXPECT_EQ(Saved(), before);
}

TEST_F(EditUndoTest, ACancelledStepPutsEverythingBack) {
    const auto before = Saved();
    doc_.OpenStep("Drag");
    doc_.Edit("Drag", [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("dragged") >= 0; });
    doc_.Edit("Drag", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(0)->SetText("moved");
        return true;
    });
    doc_.CancelStep();
    EXPECT_TRUE(steps_.empty());
    EXPECT_EQ(Saved(), before);
    EXPECT_TRUE(told_.back().reshaped[kKindTexts]);
}

TEST_F(EditUndoTest, AnEditThatChangesNothingRecordsNothingAndTellsNoOne) {
    doc_.Edit("Same", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(0)->SetText("a text");
        return true;
    });
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_TRUE(steps_.empty());
    EXPECT_TRUE(told_.empty());
}

TEST_F(EditUndoTest, TheChangeToldNamesTheItemsOrTheReshapedGroup) {
    doc_.Edit("Edit", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(2)->SetValue(5);
        std::as_const(c).GetAt<CVKT_Text>(0);
        return c.Delete<CVKT_Color>(0) != 0;
    });
    ASSERT_EQ(told_.size(), 1u);
    EXPECT_EQ(told_[0].items[kKindTexts], std::vector<int>{2});
    EXPECT_TRUE(told_[0].reshaped[kKindColors]);
    EXPECT_FALSE(told_[0].Touches(kKindBitmaps));
    doc_.Undo(*steps_.back());
    EXPECT_EQ(told_.back().items[kKindTexts], std::vector<int>{2});
}

// Many changed items are looked up in one walk of their group.
TEST_F(EditUndoTest, ManyChangedItemsAreToldByTheirIndexes) {
    doc_.Edit("Add", [](CVKT_ResourceContainer& c) {
        for (int i = 0; i < 40; ++i) {
            c.New<CVKT_Text>("more");
        }
        return true;
    });
    std::vector<int> changed;
    for (int i = 1; i < 43; i += 3) {
        changed.push_back(i);
    }
    doc_.Edit("Edit", [&changed](CVKT_ResourceContainer& c) {
        for (auto it = changed.rbegin(); it != changed.rend(); ++it) {
            c.GetAt<CVKT_Text>(*it)->SetText("changed");
            c.GetAt<CVKT_Text>(*it + 1);
        }
        return true;
    });
    ASSERT_FALSE(told_.empty());
    EXPECT_EQ(told_.back().items[kKindTexts], changed);
}

// A done step keeps the state before it; undone, the one after it.
TEST_F(EditUndoTest, AStepKeepsTheMemoryItsStatesHold) {
    doc_.Edit("Load", [](CVKT_ResourceContainer& c) {
        return c.GetAt<CVKT_WavMemory>(0)->SetPcm(8, 1, 8000, 100000,
                                                   std::vector<std::uint8_t>(100000));
    });
    ASSERT_EQ(steps_.size(), 1u);
    EXPECT_LT(steps_[0]->Bytes(), 1000u);
    doc_.Undo(*steps_[0]);
    EXPECT_GT(steps_[0]->Bytes(), 100000u);
    EXPECT_LT(steps_[0]->Bytes(), 101000u);
}

// A state keeps the room its texts took, so a step undone and redone again
// and again, between a short text and a long one, keeps the same memory.
TEST_F(EditUndoTest, UndoingAndRedoingAgainKeepsTheSameMemory) {
    const std::string longText(5000, 'x');
    doc_.Edit("Lengthen", [&longText](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(0)->SetText(longText);
        c.GetAt<CVKT_Text>(0)->SetID("a much longer identifier than before");
        return true;
    });
    ASSERT_EQ(steps_.size(), 1u);
    CEditStep& step = *steps_[0];
    const CVKT_Text& text = *doc_.Resources().GetAt<CVKT_Text>(0);
    doc_.Undo(step);
    doc_.Redo(step);
    const std::size_t bytes = step.Bytes();
    for (int again = 0; again < 5; ++again) {
        doc_.Undo(step);
        EXPECT_EQ(text.Text(), "a text");
        EXPECT_EQ(text.ID(), "a");
        doc_.Redo(step);
        EXPECT_EQ(text.Text(), longText);
        EXPECT_EQ(text.ID(), "a much longer identifier than before");
        EXPECT_EQ(step.Bytes(), bytes);
    }
}

// A step's memory hands out room aligned as asked, never overlapping, from
// blocks it counts, a request larger than its largest block included.
TEST(StateMemory, HandsOutAlignedRoomAndCountsItsBlocks) {
    CStateMemory memory;
    struct Request {
        std::size_t bytes;
        std::size_t alignment;
    };
    const Request requests[] = {{1, 1},    {24, 8},   {3, 16},        {200, 64},
                                {5000, 8}, {7, 2},    {3 << 20, 16},  {40, 8}};
    std::vector<std::pair<std::byte*, std::size_t>> taken;
    std::size_t asked = 0;
    for (const Request& request : requests) {
        SCOPED_TRACE(request.bytes);
        auto* room = static_cast<std::byte*>(memory.allocate(request.bytes, request.alignment));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(room) % request.alignment, 0u);
        // Written whole: the sanitizer sees any room handed out short.
        std::memset(room, 0xAB, request.bytes);
        for (const auto& [other, size] : taken) {
            EXPECT_TRUE(room + request.bytes <= other || other + size <= room);
        }
        taken.emplace_back(room, request.bytes);
        asked += request.bytes;
    }
    EXPECT_GE(memory.Bytes(), asked);
}

// Items are looked for where they were handed out first; those no longer
// there are found by walking the group, few or many of them.
TEST(IndexesOf, FindsItemsWhereverTheyNowStand) {
    CVKT_ResourceGroup group;
    for (int i = 0; i < 30; ++i) {
        group.Add(std::make_unique<CVKT_Text>());
    }
    CVKT_Text gone;
    const auto at = [&group](int index) { return group.Items()[index].get(); };
    struct Case {
        const char* name;
        std::vector<SPlacedItem> items;
        std::vector<int> expected;
    };
    std::vector<SPlacedItem> manyMoved;
    std::vector<int> everyOther;
    for (int i = 0; i < 30; i += 2) {
        manyMoved.push_back({at(i), 29 - i});
        everyOther.push_back(i);
    }
    const Case cases[] = {
        {"in place", {{at(7), 7}, {at(3), 3}}, {3, 7}},
        {"moved", {{at(7), 2}, {at(3), -1}, {at(0), 30}}, {0, 3, 7}},
        {"many moved", manyMoved, everyOther},
        {"gone or twice", {{&gone, 4}, {at(4), 4}, {at(4), 9}}, {4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IndexesOf(group, c.items), c.expected) << c.name;
    }
}

// What an item holds: its stored bytes and, for a map picture, the map's,
// which a picture refers to rather than stores.
std::vector<std::uint8_t> Content(const CVKT_Resource& item) {
    auto bytes = item.StoredBytes();
    const auto* bitmap = dynamic_cast<const CVKT_Bitmap*>(&item);
    if (bitmap != nullptr && bitmap->Map() != nullptr) {
        const auto map = bitmap->Map()->StoredBytes();
        bytes.insert(bytes.end(), map.begin(), map.end());
    }
    return bytes;
}

// An item's state is exchanged with what the item holds: the second
// exchange brings back what the first put aside.
TEST_F(EditUndoTest, ExchangingAStateTwiceGivesBackBothVersionsOfEveryKindOfState) {
    struct ExchangeCase {
        const char* name;
        int kind;
        std::function<void(CVKT_Resource&)> change;
    };
    const std::vector<ExchangeCase> cases = {
        {"text", kKindTexts, [](CVKT_Resource& item) {
             auto& text = dynamic_cast<CVKT_Text&>(item);
             text.SetText("other");
             text.SetValue(9);
             text.SetID("renamed");
         }},
        {"picture", kKindBitmaps, [](CVKT_Resource& item) {
             dynamic_cast<CVKT_Bitmap&>(item).TakeImage(QImage(2, 2, QImage::Format_RGB32));
             item.SetComments("repainted");
         }},
        {"map picture", kKindBitmaps, [](CVKT_Resource& item) {
             dynamic_cast<CVKT_Bitmap&>(item).CreateStorage(CVKT_Bitmap::kKindMap);
         }},
        {"map cells", kKindBitmaps, [](CVKT_Resource& item) {
             CVKT_Map* map = dynamic_cast<CVKT_Bitmap&>(item).Map();
             map->InsertColumn(0);
             map->InsertLine(0);
         }},
        {"stored bytes", kKindColors, [](CVKT_Resource& item) {
             dynamic_cast<CVKT_Color&>(item).SetValue(12);
             item.SetID("recoloured");
         }},
    };
    for (const ExchangeCase& test : cases) {
        SCOPED_TRACE(test.name);
        CVKT_Resource& item = *doc_.Resources().GroupAt(test.kind)->Items().front();
        const auto before = Content(item);
        CStateMemory memory;
        CItemStatePtr state = item.SaveState(memory);
        EXPECT_TRUE(item.Holds(*state));
        test.change(item);
        const auto after = Content(item);
        ASSERT_NE(after, before);
        EXPECT_FALSE(item.Holds(*state));
        item.ExchangeState(*state);
        EXPECT_EQ(Content(item), before);
        EXPECT_FALSE(item.Holds(*state));
        item.ExchangeState(*state);
        EXPECT_EQ(Content(item), after);
        EXPECT_TRUE(item.Holds(*item.SaveState(memory)));
    }
}

TEST(ItemsLabel, NamesTheCount) {
    EXPECT_EQ(ItemsLabel("Delete", 1), "Delete Item");
    EXPECT_EQ(ItemsLabel("Delete", 3), "Delete 3 Items");
}

}  // namespace
}  // namespace plexion
