#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>

#include "document_snapshot.h"
#include "plexion_doc_core.h"
#include "recovery_folder.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

namespace fs = std::filesystem;

CDocumentSnapshot SnapshotOf(CPlexionDocCore& document) {
    CSnapshotBuilder builder(document.Resources(), document.Gate());
    CDocumentSnapshot snapshot = builder.Take();
    EXPECT_TRUE(snapshot.Complete());
    return snapshot;
}

// A document holding one text.
void MakeDocument(CPlexionDocCore& document, const std::string& text) {
    document.Edit("Fill", [&](CVKT_ResourceContainer& c) {
        c.GetAt<CVKT_Text>(c.New<CVKT_Text>("line"))->SetText(text);
        return true;
    });
}

SRecoveryInfo InfoFor(const std::string& path) {
    return {path, fs::path(path).filename().string(), 1'800'000'000,
            SFileStamp{1, 2, 3, 4, 5}};
}

bool SameInfo(const SRecoveryInfo& a, const SRecoveryInfo& b) {
    return a.originalPath == b.originalPath && a.title == b.title &&
           a.writtenAt == b.writtenAt && a.originalStamp.has_value() == b.originalStamp.has_value() &&
           (!a.originalStamp || (a.originalStamp->device == b.originalStamp->device &&
                                 a.originalStamp->inode == b.originalStamp->inode &&
                                 a.originalStamp->size == b.originalStamp->size &&
                                 a.originalStamp->modifiedNs == b.originalStamp->modifiedNs &&
                                 a.originalStamp->hash == b.originalStamp->hash));
}

TEST(RecoveryInfo, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    SRecoveryInfo awkward = InfoFor("/home/u/odd\\name\nwith\rbreaks é.dat");
    SRecoveryInfo untitled{"", "Plexio3", 0, std::nullopt};
    for (const SRecoveryInfo& info : {awkward, untitled}) {
        const auto read = DecodeRecoveryInfo(EncodeRecoveryInfo(info));
        ASSERT_TRUE(read.has_value()) << info.title;
        EXPECT_TRUE(SameInfo(*read, info)) << info.title;
    }
    const std::string whole = EncodeRecoveryInfo(awkward);
    for (const std::string& damaged : {
             std::string(),
             whole.substr(0, whole.find("title=")),
             "Another file\n" + whole.substr(whole.find('\n') + 1),
             std::string(whole).replace(whole.find("written=") + 8, 1, "x"),
             std::string(whole).replace(whole.find("title="), 6, "title=\\q"),
             whole + "stamp=1 2\n",
             whole + "no equals sign\n",
         }) {
        EXPECT_FALSE(DecodeRecoveryInfo(damaged).has_value()) << damaged;
    }
}

class RecoveryFolderTest : public ::testing::Test {
protected:
    std::string Root() const { return dir_.File("recovery"); }

    // An editor that wrote copies of two documents (and had begun a third
    // write) and was killed.
    void KilledEditor() {
        const pid_t pid = ::fork();
        if (pid == 0) {
            CRecoveryFolder folder;
            CPlexionDocCore first;
            CPlexionDocCore second;
            MakeDocument(first, "first");
            MakeDocument(second, "second");
            if (!folder.Open(Root()) ||
                !folder.Write(folder.NewEntry(), InfoFor("/a/first.dat"), SnapshotOf(first)).empty() ||
                !folder.Write(folder.NewEntry(), InfoFor("/a/second.dat"), SnapshotOf(second)).empty()) {
                ::_exit(1);
            }
            std::ofstream(folder.Path() + "/.2.dat.abcdef") << "half";
            std::ofstream(folder.Path() + "/3.info") << "an info whose copy never came";
            std::raise(SIGKILL);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
    }

    static std::vector<std::string> FoldersIn(const std::string& root) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    test::CTempDir dir_;
};

TEST_F(RecoveryFolderTest, OnlyTheCopiesOfAKilledEditorAreOfferedAndLaterKeepsThem) {
    CRecoveryFolder mine;
    ASSERT_TRUE(mine.Open(Root())) << mine.Error();
    CPlexionDocCore document;
    MakeDocument(document, "mine");
    ASSERT_EQ(mine.Write(mine.NewEntry(), InfoFor("/a/mine.dat"), SnapshotOf(document)), "");
    CRecoveryFolder runningElsewhere;
    ASSERT_TRUE(runningElsewhere.Open(Root()));
    ASSERT_EQ(runningElsewhere.Write(runningElsewhere.NewEntry(), InfoFor("/a/other.dat"),
                                     SnapshotOf(document)),
              "");
    KilledEditor();

    for (int start = 0; start < 2; ++start) {
        const CLeftRecoveries left(Root());
        ASSERT_EQ(left.Copies().size(), 2u) << "start " << start;
        for (int i = 0; i < 2; ++i) {
            const SLeftRecovery& copy = left.Copies()[static_cast<std::size_t>(i)];
            const std::string name = i == 0 ? "first" : "second";
            ASSERT_TRUE(copy.info.has_value());
            EXPECT_TRUE(SameInfo(*copy.info, InfoFor("/a/" + name + ".dat")));
            CVKT_ResourceContainer read;
            ASSERT_EQ(read.Load(copy.dataPath), 1);
            EXPECT_EQ(read.GetAt<CVKT_Text>(0)->Text(), name);
            const fs::path folder = fs::path(copy.dataPath).parent_path();
            EXPECT_EQ(fs::path(copy.dataPath).filename(), std::to_string(i + 1) + ".dat");
            EXPECT_FALSE(fs::exists(folder / ".2.dat.abcdef")) << "a write cut off";
            EXPECT_FALSE(fs::exists(folder / "3.info")) << "an info without its copy";
        }
        // Later: nothing is done, and the next start offers both again.
    }
    EXPECT_EQ(FoldersIn(Root()).size(), 3u);
}

TEST_F(RecoveryFolderTest, DiscardedAndAdoptedCopiesLeaveAndTheEmptyFolderGoes) {
    KilledEditor();
    std::optional<CRecoveryFolder> mine(std::in_place);
    ASSERT_TRUE(mine->Open(Root()));
    int adopted = -1;
    {
        const CLeftRecoveries left(Root());
        ASSERT_EQ(left.Copies().size(), 2u);
        CLeftRecoveries::Discard(left.Copies()[0]);
        adopted = mine->Adopt(left.Copies()[1]);
        ASSERT_GE(adopted, 0);
        EXPECT_FALSE(fs::exists(left.Copies()[1].dataPath));
    }
    EXPECT_EQ(FoldersIn(Root()),
              std::vector<std::string>{fs::path(mine->Path()).filename().string()});
    CVKT_ResourceContainer read;
    ASSERT_EQ(read.Load(mine->DataPath(adopted)), 1);
    EXPECT_EQ(read.GetAt<CVKT_Text>(0)->Text(), "second");

    // The adopted copy belongs to a running editor now, and a clean end
    // takes it with its folder.
    EXPECT_TRUE(CLeftRecoveries(Root()).Copies().empty());
    mine.reset();
    EXPECT_TRUE(FoldersIn(Root()).empty());
}

TEST_F(RecoveryFolderTest, ACopyWithoutItsInfoIsOfferedAsDamagedAndKept) {
    KilledEditor();
    std::string folder;
    {
        const CLeftRecoveries left(Root());
        ASSERT_EQ(left.Copies().size(), 2u);
        folder = fs::path(left.Copies()[0].dataPath).parent_path().string();
    }
    std::ofstream(folder + "/1.info") << "not an info";
    fs::remove(folder + "/2.info");
    const CLeftRecoveries left(Root());
    ASSERT_EQ(left.Copies().size(), 2u);
    for (const SLeftRecovery& copy : left.Copies()) {
        EXPECT_FALSE(copy.info.has_value()) << copy.dataPath;
        EXPECT_TRUE(fs::exists(copy.dataPath));
    }
    CRecoveryFolder mine;
    ASSERT_TRUE(mine.Open(Root()));
    EXPECT_EQ(mine.Adopt(left.Copies()[0]), -1);
    EXPECT_TRUE(fs::exists(left.Copies()[0].dataPath));
}

TEST(RecoveryCopy, OpensModifiedWithTheOriginalAsItsFileAndADamagedOneNotAtAll) {
    test::CTempDir dir;
    CPlexionDocCore original;
    MakeDocument(original, "edited");
    std::string error;
    ASSERT_TRUE(SnapshotOf(original).Save(dir.File("1.dat"), error)) << error;
    const std::string target = dir.File("game.dat");
    ASSERT_TRUE(original.SaveDocument(target));
    const std::optional<SFileStamp> opened = original.DiskStamp();

    CPlexionDocCore recovered;
    ASSERT_EQ(recovered.OpenRecoveryCopy(dir.File("1.dat"), target, opened, {}),
              CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_TRUE(recovered.IsModified());
    EXPECT_EQ(recovered.PathName(), target);
    EXPECT_EQ(recovered.Resources().GetAt<CVKT_Text>(0)->Text(), "edited");
    EXPECT_EQ(recovered.SaveDocumentUnlessChanged(target), CPlexionDocCore::SaveOutcome::Saved);

    // The original changed after the copy was made: Save asks first.
    CPlexionDocCore elsewhere;
    MakeDocument(elsewhere, "written elsewhere");
    ASSERT_TRUE(elsewhere.SaveDocument(target));
    CPlexionDocCore changedMeanwhile;
    ASSERT_EQ(changedMeanwhile.OpenRecoveryCopy(dir.File("1.dat"), target, opened, {}),
              CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_EQ(changedMeanwhile.SaveDocumentUnlessChanged(target),
              CPlexionDocCore::SaveOutcome::ChangedOnDisk);

    auto bytes = test::ReadFileBytes(dir.File("1.dat"));
    bytes.resize(bytes.size() - 3);
    test::WriteFileBytes(dir.File("cut.dat"), bytes);
    CPlexionDocCore damaged;
    EXPECT_EQ(damaged.OpenRecoveryCopy(dir.File("cut.dat"), target, opened, {}),
              CPlexionDocCore::OpenOutcome::Damaged);
    EXPECT_EQ(damaged.Resources().Count<CVKT_Text>(), 0);
    EXPECT_FALSE(damaged.IsModified());
    EXPECT_EQ(damaged.OpenRecoveryCopy(dir.File("gone.dat"), target, opened, {}),
              CPlexionDocCore::OpenOutcome::NotFound);
}

}  // namespace
}  // namespace plexion
