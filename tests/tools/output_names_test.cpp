#include <gtest/gtest.h>

#include <fstream>

#include "output_names.h"
#include "temp_dir.h"

namespace plexion::tool {
namespace {

std::string Joined(const CSafeName& name) {
    return name.stem + name.extension;
}

TEST(ToolOutputNames, HostileIdsStayInsideTheFolder) {
    EXPECT_EQ(Joined(SafeNameFor("../x", "")), ".._x");
    EXPECT_EQ(Joined(SafeNameFor("/etc/passwd", "")), "_etc_passwd");
    EXPECT_EQ(Joined(SafeNameFor("a\\b", "png")), "a_b.png");
    EXPECT_EQ(Joined(SafeNameFor("", "")), "_");
    EXPECT_EQ(Joined(SafeNameFor(".", "")), "_");
    EXPECT_EQ(Joined(SafeNameFor("..", "wav")), "_.wav");
    EXPECT_EQ(Joined(SafeNameFor(std::string("a\0b\n\x7F", 5), "")), "a_b__");
}

TEST(ToolOutputNames, LongIdsAreCappedWithoutSplittingACharacter) {
    std::string id(119, 'a');
    id += "\xC3\xA9\xC3\xA9";
    const CSafeName name = SafeNameFor(id, "bin");
    EXPECT_EQ(name.stem, std::string(119, 'a'));
    EXPECT_EQ(name.extension, ".bin");
}

TEST(ToolOutputNames, ExtensionIsAddedOnlyWhenMissing) {
    EXPECT_EQ(Joined(SafeNameFor("photo.final", "png")), "photo.final.png");
    EXPECT_EQ(Joined(SafeNameFor("logo.PNG", "png")), "logo.PNG");
    EXPECT_EQ(SafeNameFor("logo.PNG", "png").stem, "logo");
    EXPECT_EQ(Joined(SafeNameFor("x", "p/g")), "x");
    EXPECT_EQ(Joined(SafeNameFor("x", "")), "x");
}

TEST(ToolOutputNames, ClashesGetNumberedBeforeTheExtension) {
    test::CTempDir dir;
    std::ofstream(dir.File("taken.png")) << "x";
    CUniqueNames names(dir.Path());
    const CSafeName taken{"taken", ".png"};
    EXPECT_EQ(names.Next(taken), dir.Path() / "taken (2).png");
    EXPECT_EQ(names.Next(taken), dir.Path() / "taken (3).png");
    EXPECT_EQ(names.Next({"a", ""}), dir.Path() / "a");
    EXPECT_EQ(names.Next({"a", ""}), dir.Path() / "a (2)");
}

}  // namespace
}  // namespace plexion::tool
