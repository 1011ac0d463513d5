#include <gtest/gtest.h>

#include <chrono>

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

    // Advances in the smallest slices: one item each.
    static int AdvanceToTheEnd(CSnapshotBuilder& builder) {
        int slices = 1;
        while (!builder.Advance(std::chrono::steady_clock::duration::zero())) {
            ++slices;
        }
        return slices;
    }

    test::CTempDir dir_;
    CPlexionDocCore doc_;
};

TEST_F(DocumentSnapshotTest, ASnapshotTakenInSlicesIsWrittenAsASaveWouldWriteIt) {
    CSnapshotBuilder builder(doc_.Resources());
    EXPECT_GT(AdvanceToTheEnd(builder), 50);
    const auto snapshot = builder.Take();
    ASSERT_TRUE(snapshot.has_value());
    const auto saved = Saved();
    EXPECT_EQ(snapshot->Size(), saved.size());
    EXPECT_EQ(Written(*snapshot), saved);
}

TEST_F(DocumentSnapshotTest, AnEditAfterTheWalkIsCaughtAndOnlyTheChangedItemIsMadeAgain) {
    CSnapshotBuilder builder(doc_.Resources());
    AdvanceToTheEnd(builder);
    doc_.Edit("Edit", [](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(7)->SetText("changed");
        return c.Move<CVKT_Text>(0, 3) != 0;
    });
    EXPECT_FALSE(builder.Take().has_value());
    EXPECT_EQ(AdvanceToTheEnd(builder), 2) << "one slice for the changed item, one to finish";
    const auto snapshot = builder.Take();
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(Written(*snapshot), Saved());
}

TEST_F(DocumentSnapshotTest, TheStoredFormOfADeletedItemGoesWithTheNextSnapshot) {
    CSnapshotBuilder builder(doc_.Resources());
    AdvanceToTheEnd(builder);
    std::weak_ptr<const std::vector<std::uint8_t>> deletedBytes;
    {
        const auto first = builder.Take();
        ASSERT_TRUE(first.has_value());
        deletedBytes = first->pieces.back();
    }
    ASSERT_FALSE(deletedBytes.expired()) << "the builder keeps what it made";
    doc_.Edit("Delete", [](CVKT_ResourceContainer& c) { return c.Delete<CVKT_BinaryFile>(0) != 0; });
    AdvanceToTheEnd(builder);
    const auto second = builder.Take();
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(deletedBytes.expired());
    EXPECT_EQ(Written(*second), Saved());
}

}  // namespace
}  // namespace plexion
