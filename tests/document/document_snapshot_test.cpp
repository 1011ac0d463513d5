#include <gtest/gtest.h>

#include <thread>

#include "binary_file_item.h"
#include "document_snapshot.h"
#include "plexion_doc_core.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

class DocumentSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc_.Edit("Fill", [](CVKT_ResourceContainer& c) {
            c.SetName("Level");
            for (int i = 0; i < 50; ++i) {
                c.GetAt<CVKT_Text>(c.New<CVKT_Text>("t" + std::to_string(i)))->SetText("x");
            }
            c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("b"))->Data().SetSize(1000);
            return true;
        });
    }

    std::vector<std::uint8_t> Saved() {
        EXPECT_TRUE(doc_.Resources().Save(dir_.File("saved.dat")));
        return test::ReadFileBytes(dir_.File("saved.dat"));
    }

    std::vector<std::uint8_t> Written(const CDocumentSnapshot& snapshot) {
        std::string error;
        EXPECT_TRUE(snapshot.Save(dir_.File("copy.dat"), error)) << error;
        return test::ReadFileBytes(dir_.File("copy.dat"));
    }

    // Takes a snapshot and completes it on another thread, as the autosave
    // does.
    CDocumentSnapshot TakeWhole() {
        CDocumentSnapshot snapshot = builder_.Take();
        bool complete = false;
        std::thread([&] { complete = snapshot.Complete(); }).join();
        EXPECT_TRUE(complete);
        builder_.Keep(snapshot);
        return snapshot;
    }

    test::CTempDir dir_;
    CPlexionDocCore doc_;
    CSnapshotBuilder builder_{doc_.Resources(), doc_.Gate()};
};

TEST_F(DocumentSnapshotTest, ASnapshotCompletedOnAWorkerIsWrittenAsASaveWouldWriteIt) {
    CDocumentSnapshot snapshot = builder_.Take();
    EXPECT_EQ(snapshot.pending.size(), 51u);
    std::string error;
    EXPECT_FALSE(snapshot.Save(dir_.File("copy.dat"), error)) << "not complete yet";
    std::thread([&] { EXPECT_TRUE(snapshot.Complete()); }).join();
    const auto saved = Saved();
    EXPECT_EQ(snapshot.Size(), saved.size());
    EXPECT_EQ(Written(snapshot), saved);
}

TEST_F(DocumentSnapshotTest, OnlyItemsChangedSinceTheLastSnapshotAreMadeAgain) {
    TakeWhole();
    doc_.Edit("Edit", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(7)->SetText("changed");
        return c.Move<CVKT_Text>(0, 3) != 0;
    });
    CDocumentSnapshot snapshot = builder_.Take();
    ASSERT_EQ(snapshot.pending.size(), 1u);
    EXPECT_EQ(snapshot.pending[0].item, doc_.Resources().GetAt<CVKT_Text>(7));
    EXPECT_TRUE(snapshot.Complete());
    EXPECT_EQ(Written(snapshot), Saved());
}

TEST_F(DocumentSnapshotTest, TheStoredFormOfADeletedItemGoesWithTheNextSnapshot) {
    std::weak_ptr<const std::vector<std::uint8_t>> deletedBytes = TakeWhole().pieces.back();
    ASSERT_FALSE(deletedBytes.expired()) << "the builder keeps what it made";
    doc_.Edit("Delete", [](CVKT_ResourceContainer& c) { return c.Delete<CVKT_BinaryFile>(0) != 0; });
    const CDocumentSnapshot second = TakeWhole();
    EXPECT_TRUE(deletedBytes.expired());
    EXPECT_EQ(Written(second), Saved());
}

// Edits made while a worker completes a snapshot either wait for the item
// it reads or stop it; what it wrote is the document as it was taken.
TEST_F(DocumentSnapshotTest, EditsWhileASnapshotIsCompletedNeverGetIntoIt) {
    doc_.Edit("Grow", [](CVKT_ResourceContainer& c) {
        for (int i = 0; i < 10; ++i) {
            c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("big"))->Data().SetSize(1 << 17);
        }
        return true;
    });
    const auto before = Saved();
    CDocumentSnapshot snapshot = builder_.Take();
    bool complete = false;
    std::thread worker([&] { complete = snapshot.Complete(); });
    for (int i = 0; i < 11; ++i) {
        doc_.Edit("Edit", [i](CVKT_ResourceContainer& c) {
            c.GetAt<CVKT_BinaryFile>(i)->Data().Data()[7] = 1;
            return true;
        });
    }
    worker.join();
    if (complete) {
        EXPECT_EQ(Written(snapshot), before);
    }
    builder_.Keep(snapshot);
    EXPECT_EQ(Written(TakeWhole()), Saved());
}

TEST_F(DocumentSnapshotTest, AnEditAfterTakingStopsTheWorkerAndGetsIntoTheNextSnapshot) {
    CDocumentSnapshot snapshot = builder_.Take();
    doc_.Edit("Edit", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(3)->SetText("new");
        return true;
    });
    EXPECT_FALSE(snapshot.Complete());
    builder_.Keep(snapshot);
    EXPECT_EQ(Written(TakeWhole()), Saved());
}

}  // namespace
}  // namespace plexion
