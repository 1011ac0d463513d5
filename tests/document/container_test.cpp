#include <gtest/gtest.h>

#include <filesystem>

#include "binary_file_item.h"
#include "color_item.h"
#include "paths.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

std::string Ids(const CVKT_ResourceContainer& c) {
    std::string ids;
    for (int i = 0; i < c.Count<CVKT_Text>(); ++i) {
        ids += c.GetAt<CVKT_Text>(i)->ID();
    }
    return ids;
}

TEST(Container, StartsEmptyWithDefaultNameAndComments) {
    CVKT_ResourceContainer c;
    for (int kind = 0; kind < kKindCount; ++kind) {
        ASSERT_NE(c.GroupAt(kind), nullptr);
        EXPECT_EQ(c.GroupAt(kind)->Count(), 0);
        EXPECT_EQ(c.GroupAt(kind)->Tag(), CVKT_ResourceContainer::kChunkTags[kind]);
    }
    EXPECT_EQ(c.GetName(), "No Name");
    EXPECT_EQ(c.GetComments(), "No Comments");
    EXPECT_EQ(c.GroupAt(8), nullptr);
    EXPECT_EQ(c.GroupAt(-1), nullptr);
    EXPECT_EQ(c.FindItem(8, ""), nullptr);
    EXPECT_EQ(c.FindItem(-1, ""), nullptr);
}

TEST(Container, DuplicateEmptyAndCaseDifferentIdsAreAllowed) {
    CVKT_ResourceContainer c;
    EXPECT_EQ(c.New<CVKT_Text>("hero"), 0);
    EXPECT_EQ(c.New<CVKT_Text>("hero"), 1);
    EXPECT_EQ(c.New<CVKT_Text>("Hero"), 2);
    EXPECT_EQ(c.New<CVKT_Text>(""), 3);
    EXPECT_EQ(c.Find<CVKT_Text>("hero"), 0);
    EXPECT_EQ(c.Find<CVKT_Text>("Hero"), 2);
    EXPECT_EQ(c.Find<CVKT_Text>(""), 3);
    EXPECT_EQ(c.Find<CVKT_Text>("HERO"), -1);
    c.GetAt<CVKT_Text>(1)->SetText("second");
    EXPECT_EQ(c.Delete<CVKT_Text>(0), 1);
    EXPECT_EQ(c.Find<CVKT_Text>("hero"), 0);
    EXPECT_EQ(c.GetAt<CVKT_Text>(0)->Text(), "second");
    EXPECT_EQ(c.FindItem(kKindTexts, "Hero"), c.GetAt<CVKT_Text>(1));
}

TEST(Container, NewGivesEmptyDefaultsOfTheKind) {
    CVKT_ResourceContainer c;
    const auto* color = c.GetAt<CVKT_Color>(c.New<CVKT_Color>("c"));
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Color(), 0u);
    EXPECT_EQ(color->Alpha(), 255);
    const auto* file = c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("f"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Data().Size(), 0);
    EXPECT_EQ(file->PlainFlag(), 0);
    EXPECT_EQ(c.NewItem(8, "x"), -1);
}

TEST(Container, MoveFollowsTheGroupRules) {
    CVKT_ResourceContainer c;
    for (const char* id : {"A", "B", "C"}) {
        c.New<CVKT_Text>(id);
    }
    EXPECT_EQ(c.Move<CVKT_Text>(2, 0), 1);
    EXPECT_EQ(Ids(c), "CAB");
    EXPECT_EQ(c.Move<CVKT_Text>(0, 2), 1);
    EXPECT_EQ(Ids(c), "ABC");
    EXPECT_EQ(c.Move<CVKT_Text>(5, 5), 1);
    EXPECT_EQ(c.Move<CVKT_Text>(0, 3), 0);
    EXPECT_EQ(c.Move<CVKT_Text>(-1, 0), 0);
    EXPECT_EQ(Ids(c), "ABC");
    EXPECT_EQ(c.Delete<CVKT_Text>(3), 0);
    EXPECT_EQ(c.GetAt<CVKT_Text>(3), nullptr);
    EXPECT_EQ(c.GetAt<CVKT_Text>(-1), nullptr);
}

TEST(Container, TypedTextGettersReadLeadingNumbers) {
    CVKT_ResourceContainer c;
    const auto set = [&](const char* id, const char* text) {
        c.GetAt<CVKT_Text>(c.New<CVKT_Text>(id))->SetText(text);
    };
    set("a", "12abc");
    set("b", "abc");
    set("c", " -7");
    set("d", "2.5");
    set("e", "");
    set("f", "99999999999999");
    set("g", "+3e2x");
    EXPECT_EQ(c.TextAsInteger("a", 5), 12);
    EXPECT_EQ(c.TextAsInteger("b", 5), 0);
    EXPECT_EQ(c.TextAsInteger("c", 5), -7);
    EXPECT_EQ(c.TextAsInteger("missing", 5), 5);
    EXPECT_EQ(c.TextAsInteger("f", 5), INT_MAX);
    EXPECT_DOUBLE_EQ(c.TextAsReal("d", 1.0), 2.5);
    EXPECT_DOUBLE_EQ(c.TextAsReal("e", 1.0), 0.0);
    EXPECT_DOUBLE_EQ(c.TextAsReal("g", 1.0), 300.0);
    EXPECT_DOUBLE_EQ(c.TextAsReal("missing", 1.5), 1.5);
    EXPECT_EQ(c.TextAsText("a", "x"), "12abc");
    EXPECT_EQ(c.TextAsText("missing", "x"), "x");
}

TEST(Container, ClearEmptiesGroupsButKeepsNameAndComments) {
    CVKT_ResourceContainer c;
    c.SetName("Level 1");
    c.SetComments("notes");
    c.New<CVKT_Text>("t");
    c.New<CVKT_Color>("c");
    EXPECT_EQ(c.Clear(), 1);
    EXPECT_EQ(c.Count<CVKT_Text>(), 0);
    EXPECT_EQ(c.Count<CVKT_Color>(), 0);
    EXPECT_EQ(c.GetName(), "Level 1");
    EXPECT_EQ(c.GetComments(), "notes");
}

TEST(Paths, BareNamesResolveBesideTheExecutable) {
    const std::string saved = ExecutablePath();
    SetExecutablePath("/opt/plexion/bin/plexion");
    EXPECT_EQ(ResolveResourcePath("game.dat"), "/opt/plexion/bin/game.dat");
    EXPECT_EQ(ResolveResourcePath("C:game.dat"), "C:game.dat");
    EXPECT_EQ(ResolveResourcePath("sub\\game.dat"), "sub\\game.dat");
    EXPECT_EQ(ResolveResourcePath("../Shared/game.dat"), "../Shared/game.dat");
    SetExecutablePath("plexion");
    EXPECT_EQ(ResolveResourcePath("game.dat"), "game.dat");
    SetExecutablePath(saved);
}

TEST(Paths, NamesTitlesAndExtensions) {
    EXPECT_EQ(FileNameOf("C:\\games\\photo.final.png"), "photo.final.png");
    EXPECT_EQ(FileTitleOf("/home/a/photo.final.png"), "photo.final");
    EXPECT_EQ(FileTitleOf("C:"), "");
    EXPECT_EQ(FileTitleOf("noext"), "noext");
    EXPECT_EQ(ExtensionOf("a/b.c/noext"), "");
    EXPECT_EQ(ExtensionOf("x.Wav"), "Wav");
}

TEST(Container, RecognisesResourceFileNames) {
    test::CTempDir dir;
    test::WriteFileBytes(dir.File("a.dat"), {1});
    test::WriteFileBytes(dir.File("a.DAT"), {1});
    test::WriteFileBytes(dir.File("adat"), {1});
    std::filesystem::create_directory(dir.File("folder.dat"));
    EXPECT_TRUE(CVKT_ResourceContainer::IsResourceFileName(dir.File("a.dat")));
    EXPECT_FALSE(CVKT_ResourceContainer::IsResourceFileName(dir.File("a.DAT")));
    EXPECT_FALSE(CVKT_ResourceContainer::IsResourceFileName(dir.File("adat")));
    EXPECT_FALSE(CVKT_ResourceContainer::IsResourceFileName(dir.File("missing.dat")));
    EXPECT_FALSE(CVKT_ResourceContainer::IsResourceFileName(dir.File("folder.dat")));
}

TEST(Container, ListsDocumentsBesideTheExecutableAndInTheSharedFolder) {
    test::CTempDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "Shared");
    std::filesystem::create_directories(dir.Path() / "work");
    for (const char* name :
         {"bin/b.dat", "bin/a.dat", "bin/c.DAT", "bin/notes.txt", "Shared/s.dat"}) {
        test::WriteFileBytes(dir.File(name), {1});
    }
    const std::string saved = ExecutablePath();
    const auto cwd = std::filesystem::current_path();
    SetExecutablePath(dir.File("bin/plexion"));
    std::filesystem::current_path(dir.Path() / "work");
    CVKT_ResourceContainer c;
    std::vector<std::string> list;
    EXPECT_EQ(c.ListResourceFiles(nullptr), 0);
    EXPECT_EQ(c.ListResourceFiles(&list), 1);
    std::filesystem::current_path(cwd);
    SetExecutablePath(saved);
    const std::vector<std::string> expected = {dir.File("bin/a.dat"), dir.File("bin/b.dat"),
                                               "../Shared/s.dat"};
    EXPECT_EQ(list, expected);
}

}  // namespace
}  // namespace plexion
