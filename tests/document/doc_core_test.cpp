#include <gtest/gtest.h>

#include <unistd.h>

#include "archive_bytes.h"
#include "plexion_doc_core.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

using test::CRecordingPresenter;

TEST(DocCore, NewDocumentHoldsOnlyTheGameStepParameter) {
    CPlexionDocCore doc;
    EXPECT_TRUE(doc.NewDocument());
    const auto& c = doc.Resources();
    ASSERT_EQ(c.Count<CVKT_Text>(), 1);
    const auto* delay = c.GetAt<CVKT_Text>(0);
    EXPECT_EQ(delay->ID(), "settings_one_game_step_delay");
    EXPECT_EQ(delay->Text(), "8");
    EXPECT_EQ(delay->Comments(),
              "Delay between each game event.\r\n\r\n8 => 1000 / 8 = 125 fps (default)\r\n"
              "10 => 1000 / 10 = 100 fps");
    EXPECT_EQ(c.TextAsInteger("settings_one_game_step_delay", 0), 8);
    EXPECT_EQ(c.GetName(), "No Name");
    for (int kind = 1; kind < kKindCount; ++kind) {
        EXPECT_EQ(c.GroupAt(kind)->Count(), 0);
    }
    EXPECT_FALSE(doc.IsModified());
}

class PasswordTest : public ::testing::Test {
protected:
    void SetUp() override {
        CPlexionDocCore doc;
        doc.Edit("Fill", [](CVKT_ResourceContainer& c) {
            c.GetAt<CVKT_Text>(c.New<CVKT_Text>("settings_password"))->SetText("Secret");
            c.GetAt<CVKT_Text>(c.New<CVKT_Text>("settings_password"))->SetText("other");
            return c.New<CVKT_Text>("payload") >= 0;
        });
        ASSERT_TRUE(doc.SaveDocument(path_));
    }

    CPlexionDocCore::OpenOutcome Open(std::optional<std::string> typed, CPlexionDocCore& doc) {
        return doc.OpenDocument(path_, [typed] { return typed; });
    }

    test::CTempDir dir_;
    std::string path_ = dir_.File("locked.dat");
};

TEST_F(PasswordTest, OnlyTheExactFirstPasswordOpensTheDocument) {
    for (const std::optional<std::string>& typed :
         {std::optional<std::string>(), std::optional<std::string>("secret"),
          std::optional<std::string>("other"), std::optional<std::string>("")}) {
        CRecordingPresenter presenter;
        CPlexionDocCore doc(&presenter);
        EXPECT_EQ(Open(typed, doc), CPlexionDocCore::OpenOutcome::PasswordRefused);
        EXPECT_EQ(presenter.messages, std::vector<std::string>{"Error: unreadable file format !"});
        EXPECT_EQ(doc.Resources().Count<CVKT_Text>(), 0);
    }
    CPlexionDocCore doc;
    EXPECT_EQ(Open("Secret", doc), CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_EQ(doc.Resources().Count<CVKT_Text>(), 3);
    EXPECT_EQ(doc.PathName(), path_);
    EXPECT_EQ(CurrentResourcePath(), path_);
}

TEST(DocCore, EmptyPasswordDoesNotPrompt) {
    test::CTempDir dir;
    CPlexionDocCore doc;
    doc.Edit("Add", [](CVKT_ResourceContainer& c) {
        return c.New<CVKT_Text>("settings_password") >= 0;
    });
    ASSERT_TRUE(doc.SaveDocument(dir.File("open.dat")));
    bool asked = false;
    CPlexionDocCore reopened;
    EXPECT_EQ(reopened.OpenDocument(dir.File("open.dat"),
                                    [&] {
                                        asked = true;
                                        return std::optional<std::string>();
                                    }),
              CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_FALSE(asked);
}

TEST(DocCore, FailedSaveShowsTheMessageAndKeepsThePathName) {
    test::CTempDir dir;
    CRecordingPresenter presenter;
    CPlexionDocCore doc(&presenter);
    ASSERT_TRUE(doc.SaveDocument(dir.File("a.dat")));
    EXPECT_FALSE(doc.SaveDocument(dir.File("missing/b.dat")));
    EXPECT_EQ(presenter.messages, std::vector<std::string>{"Error occured while saving !"});
    EXPECT_EQ(doc.PathName(), dir.File("a.dat"));
}

TEST(DocCore, EditsMarkTheDocumentModifiedAndTellListeners) {
    CPlexionDocCore doc;
    int told = 0;
    doc.AddChangeListener([&](const CDocumentChange&) { ++told; });
    EXPECT_FALSE(doc.Edit("None", [](CVKT_ResourceContainer&) { return false; }));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(
        doc.Edit("Add", [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("t") >= 0; }));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(told, 1);
}

TEST(DocCore, ASaveNeverGoesOverAChangeAnotherProgramMade) {
    test::CTempDir dir;
    const std::string path = dir.File("d.dat");
    CPlexionDocCore mine;
    mine.NewDocument();
    ASSERT_TRUE(mine.SaveDocument(path));
    EXPECT_FALSE(mine.ChangedOnDisk());

    // Rewritten with the same bytes (a touch, a copy back): no change.
    const std::vector<std::uint8_t> saved = test::ReadFileBytes(path);
    ::unlink(path.c_str());
    test::WriteFileBytes(path, saved);
    EXPECT_FALSE(mine.ChangedOnDisk());

    CPlexionDocCore theirs;
    ASSERT_EQ(theirs.OpenDocument(path, nullptr), CPlexionDocCore::OpenOutcome::Opened);
    theirs.Edit("Add Text", [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("theirs") >= 0; });
    ASSERT_TRUE(theirs.SaveDocument(path));
    const std::vector<std::uint8_t> changed = test::ReadFileBytes(path);

    EXPECT_TRUE(mine.ChangedOnDisk());
    mine.Edit("Add Text", [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("mine") >= 0; });
    EXPECT_EQ(mine.SaveDocumentUnlessChanged(path), CPlexionDocCore::SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(test::ReadFileBytes(path), changed);
    EXPECT_TRUE(mine.IsModified());
    EXPECT_EQ(mine.SaveDocument(path), true);
    EXPECT_FALSE(mine.ChangedOnDisk());
    EXPECT_EQ(mine.SaveDocumentUnlessChanged(path), CPlexionDocCore::SaveOutcome::Saved);
}

}  // namespace
}  // namespace plexion
