#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "archive_bytes.h"
#include "color_item.h"
#include "paths.h"
#include "resource_container.h"
#include "safe_file_writer.h"
#include "scramble.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

using test::ArchiveBytes;
using test::CRecordingPresenter;

std::vector<std::uint8_t> Saved(CVKT_ResourceContainer& c) {
    test::CTempDir dir;
    EXPECT_EQ(c.Save(dir.File("d.dat")), 1);
    return test::ReadFileBytes(dir.File("d.dat"));
}

void AddTexts(CVKT_ResourceContainer& c, int n) {
    for (int i = 0; i < n; ++i) {
        auto* t = c.GetAt<CVKT_Text>(c.New<CVKT_Text>("t" + std::to_string(i)));
        t->SetText("text " + std::to_string(i));
        t->SetComments("c" + std::to_string(i));
        t->SetValue(i * 3);
    }
}

TEST(ContainerIo, EmptyDocumentIsExactlyTheHeader) {
    CVKT_ResourceContainer c;
    c.SetName("Level");
    c.SetComments("");
    const auto bytes = Saved(c);
    std::vector<std::uint8_t> expected = {7, 'V', 'K', 'R', '_', 'R', 'E', 'S', 0, 0, 0,
                                          0, 3,   0,   0,   0,   3,   0,   0,   0, 5};
    const std::string name = ScrambleText("Level");
    expected.insert(expected.end(), name.begin(), name.end());
    expected.push_back(0);
    EXPECT_EQ(bytes, expected);

    CVKT_ResourceContainer loaded;
    EXPECT_EQ(loaded.LoadFromBytes(bytes), 1);
    EXPECT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(loaded.GetName(), "Level");
    EXPECT_EQ(loaded.GetComments(), "");
}

TEST(ContainerIo, RoundTripKeepsItemsOrderIdsAndComments) {
    CVKT_ResourceContainer c;
    AddTexts(c, 300);
    c.GetAt<CVKT_Text>(5)->SetText(std::string(70000, '\xE9') + "\r\nline");
    c.GetAt<CVKT_Color>(c.New<CVKT_Color>("sky"))->SetColor(CVKT_Color::FromRgb(1, 2, 3));
    c.SetName(std::string(255, 'n'));
    test::CTempDir dir;
    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);
    CVKT_ResourceContainer loaded;
    ASSERT_EQ(loaded.Load(dir.File("d.dat")), 1);
    EXPECT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    EXPECT_EQ(loaded.GetName(), c.GetName());
    ASSERT_EQ(loaded.Count<CVKT_Text>(), 300);
    for (int i = 0; i < 300; ++i) {
        const auto* a = c.GetAt<CVKT_Text>(i);
        const auto* b = loaded.GetAt<CVKT_Text>(i);
        EXPECT_EQ(a->ID(), b->ID());
        EXPECT_EQ(a->Comments(), b->Comments());
        EXPECT_EQ(a->Text(), b->Text());
        EXPECT_EQ(a->Value(), b->Value());
    }
    EXPECT_EQ(loaded.GetAt<CVKT_Color>(0)->Color(), CVKT_Color::FromRgb(1, 2, 3));
    EXPECT_EQ(Saved(loaded), test::ReadFileBytes(dir.File("d.dat")));
}

TEST(ContainerIo, OnlyNonEmptyGroupsAreWrittenAndChunksAreFoundInAnyGroup) {
    CVKT_ResourceContainer c;
    c.New<CVKT_Color>("only");
    const auto bytes = Saved(c);
    const auto header = Saved(*std::make_unique<CVKT_ResourceContainer>());
    const std::string tag = ScrambleText("VKRCOL");
    ASSERT_GT(bytes.size(), header.size() + 2 + tag.size());
    EXPECT_EQ(bytes[header.size()], 0);  // the separator
    EXPECT_EQ(bytes[header.size() + 1], tag.size());
    EXPECT_EQ(std::string(bytes.begin() + header.size() + 2,
                          bytes.begin() + header.size() + 2 + tag.size()),
              tag);
    CVKT_ResourceContainer loaded;
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.Count<CVKT_Color>(), 1);
    EXPECT_EQ(loaded.Count<CVKT_Text>(), 0);
}

TEST(ContainerIo, WrongMagicShowsWrongFileTypeAndLoadsNothing) {
    auto bytes = ArchiveBytes([](CArchive& a) {
        test::WriteDocumentHeader(a, "From file", "C");
        test::WriteChunkHeader(a, "VKRTXT", 1);
    });
    bytes[1] = 'X';
    CRecordingPresenter presenter;
    CVKT_ResourceContainer c(&presenter);
    EXPECT_EQ(c.LoadFromBytes(bytes), 1);
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::WrongType);
    EXPECT_EQ(presenter.messages, std::vector<std::string>{"Wrong file type !"});
    EXPECT_EQ(c.Count<CVKT_Text>(), 0);
    EXPECT_EQ(c.GetName(), "From file");

    for (const std::vector<std::uint8_t>& junk :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'G', 'I', 'F'},
          std::vector<std::uint8_t>(100, 0xFF)}) {
        presenter.messages.clear();
        c.LoadFromBytes(junk);
        EXPECT_EQ(c.LastLoadStatus(), LoadStatus::WrongType);
        EXPECT_EQ(presenter.messages, std::vector<std::string>{"Wrong file type !"});
    }
}

std::vector<std::uint8_t> VersionTwoFile() {
    return ArchiveBytes([](CArchive& a) {
        test::WriteDocumentHeader(a, "", "", 2);
        test::WriteChunkHeader(a, "VKRTXT", 1);
        test::WriteItemHeader(a, "old");
        a.WriteInt32(0);
        a.WriteInt32(1);
        a.WriteInt32(9);
        a.WriteScrambledString("kept");
    });
}

TEST(ContainerIo, OlderVersionIsReadOnlyWhenTheUserSaysYes) {
    CRecordingPresenter no(MessageAnswer::No);
    CVKT_ResourceContainer refused(&no);
    refused.LoadFromBytes(VersionTwoFile());
    EXPECT_EQ(refused.LastLoadStatus(), LoadStatus::OldVersionRefused);
    EXPECT_EQ(no.messages,
              std::vector<std::string>{
                  "Older or wrong file version !\n\nDo you still want to load this file ?"});
    EXPECT_EQ(refused.Count<CVKT_Text>(), 0);

    CRecordingPresenter yes(MessageAnswer::Yes);
    CVKT_ResourceContainer accepted(&yes);
    accepted.LoadFromBytes(VersionTwoFile());
    EXPECT_EQ(accepted.LastLoadStatus(), LoadStatus::Clean);
    ASSERT_EQ(accepted.Count<CVKT_Text>(), 1);
    EXPECT_EQ(accepted.GetAt<CVKT_Text>(0)->Text(), "kept");
    EXPECT_EQ(accepted.GetAt<CVKT_Text>(0)->Value(), 9);
    EXPECT_EQ(accepted.GetName(), "No Name");
    EXPECT_EQ(accepted.GetComments(), "No Comments");
}

TEST(ContainerIo, UnknownChunkStopsTheLoadKeepingEarlierItems) {
    CVKT_ResourceContainer c;
    AddTexts(c, 2);
    auto bytes = Saved(c);
    const auto unknown = ArchiveBytes([](CArchive& a) { test::WriteChunkHeader(a, "VKRXYZ", 0); });
    bytes.insert(bytes.end(), unknown.begin(), unknown.end());
    bytes.insert(bytes.end(), {1, 2, 3});
    CRecordingPresenter presenter;
    CVKT_ResourceContainer loaded(&presenter);
    EXPECT_EQ(loaded.LoadFromBytes(bytes), 1);
    EXPECT_EQ(loaded.LastLoadStatus(), LoadStatus::UnknownChunk);
    EXPECT_EQ(presenter.messages,
              std::vector<std::string>{"Error: an unknown data type has been found, file broken."});
    EXPECT_EQ(loaded.Count<CVKT_Text>(), 2);
}

TEST(ContainerIo, ARepeatedChunkReplacesTheEarlierOne) {
    const auto bytes = ArchiveBytes([](CArchive& a) {
        test::WriteDocumentHeader(a);
        for (const char* id : {"first", "second"}) {
            test::WriteChunkHeader(a, "VKRCOL", 1);
            test::WriteItemHeader(a, id);
            a.WriteInt32(0);
            a.WriteInt32(1);
            a.WriteInt32(0);
            a.WriteUInt32(MaskColor(0x0000FF));
        }
    });
    CVKT_ResourceContainer c;
    c.LoadFromBytes(bytes);
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Clean);
    ASSERT_EQ(c.Count<CVKT_Color>(), 1);
    EXPECT_EQ(c.GetAt<CVKT_Color>(0)->ID(), "second");
    EXPECT_EQ(c.GetAt<CVKT_Color>(0)->Red(), 255);
}

TEST(ContainerIo, EveryTruncationEndsCleanlyKeepingCompleteItems) {
    CVKT_ResourceContainer c;
    AddTexts(c, 3);
    c.New<CVKT_Color>("c");
    const auto bytes = Saved(c);
    CRecordingPresenter presenter;
    CVKT_ResourceContainer loaded(&presenter);
    int previousTexts = 0;
    int cleanEnds = 0;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        presenter.messages.clear();
        loaded.LoadFromBytes(std::span(bytes.data(), size));
        // Cut right after the header or a whole chunk, the file is complete.
        const bool clean = loaded.LastLoadStatus() == LoadStatus::Clean;
        cleanEnds += clean ? 1 : 0;
        ASSERT_EQ(presenter.messages.size(), clean ? 0u : 1u) << size;
        EXPECT_GE(loaded.Count<CVKT_Text>(), previousTexts) << size;
        previousTexts = loaded.Count<CVKT_Text>();
        for (int i = 0; i < loaded.Count<CVKT_Text>(); ++i) {
            EXPECT_EQ(loaded.GetAt<CVKT_Text>(i)->Text(), c.GetAt<CVKT_Text>(i)->Text());
        }
    }
    EXPECT_EQ(previousTexts, 3);
    EXPECT_EQ(cleanEnds, 2);
    EXPECT_EQ(loaded.Count<CVKT_Color>(), 0);
    EXPECT_EQ(presenter.messages,
              std::vector<std::string>{"Error: the file ends inside a record, file broken."});
}

TEST(ContainerIo, HugeCountsAreRefusedWithoutAllocating) {
    const auto bytes = ArchiveBytes([](CArchive& a) {
        test::WriteDocumentHeader(a);
        test::WriteChunkHeader(a, "VKRTXT", 0x7FFFFFFF);
        test::WriteItemHeader(a, "x");
    });
    CRecordingPresenter presenter;
    CVKT_ResourceContainer c(&presenter);
    c.LoadFromBytes(bytes);
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::Damaged);
    EXPECT_EQ(presenter.messages,
              std::vector<std::string>{
                  "Error: a record claims more data than the file holds, file broken."});
}

TEST(ContainerIo, MissingFileReturnsZeroWithoutMessageAndSharedFolderIsTried) {
    test::CTempDir dir;
    CRecordingPresenter presenter;
    CVKT_ResourceContainer c(&presenter);
    c.New<CVKT_Text>("stale");
    EXPECT_EQ(c.Load(dir.File("missing.dat")), 0);
    EXPECT_EQ(c.LastLoadStatus(), LoadStatus::NotFound);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(c.Count<CVKT_Text>(), 0);

    std::filesystem::create_directories(dir.Path() / "Shared" / "levels");
    std::filesystem::create_directories(dir.Path() / "work");
    CVKT_ResourceContainer shared;
    shared.New<CVKT_Text>("from shared");
    ASSERT_EQ(shared.Save(dir.File("Shared/levels/one.dat")), 1);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path() / "work");
    const int result = c.Load("levels/one.dat");
    std::filesystem::current_path(cwd);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(c.Find<CVKT_Text>("from shared"), 0);
}

TEST(ContainerIo, AFailedSaveReturnsZeroAndLeavesTheOldFile) {
    test::CTempDir dir;
    CVKT_ResourceContainer c;
    EXPECT_EQ(c.Save(dir.File("no/such/folder/d.dat")), 0);
    EXPECT_FALSE(c.LastSaveError().empty());
    std::filesystem::create_directory(dir.File("folder.dat"));
    EXPECT_EQ(c.Save(dir.File("folder.dat")), 0);

    test::WriteFileBytes(dir.File("old.dat"), {1, 2, 3});
    {
        CSafeFileWriter writer;
        ASSERT_TRUE(writer.Open(dir.File("old.dat")));
        ASSERT_EQ(::write(writer.Descriptor(), "partial", 7), 7);
    }
    EXPECT_EQ(test::ReadFileBytes(dir.File("old.dat")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
    EXPECT_EQ(c.Save(dir.File("old.dat")), 1);
    EXPECT_NE(test::ReadFileBytes(dir.File("old.dat")), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(ContainerIo, SavingThroughALinkReplacesTheLinkedFile) {
    test::CTempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    test::WriteFileBytes(dir.File("real/d.dat"), {1});
    std::filesystem::create_symlink(dir.File("real/d.dat"), dir.File("link.dat"));
    CVKT_ResourceContainer c;
    c.New<CVKT_Text>("through the link");
    ASSERT_EQ(c.Save(dir.File("link.dat")), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.dat")));
    CVKT_ResourceContainer loaded;
    loaded.Load(dir.File("real/d.dat"));
    EXPECT_EQ(loaded.Find<CVKT_Text>("through the link"), 0);

    ASSERT_EQ(::mkfifo(dir.File("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(c.Save(dir.File("pipe.dat")), 0);
    EXPECT_NE(c.LastSaveError().find("not a regular file"), std::string::npos);
}

}  // namespace
}  // namespace plexion
