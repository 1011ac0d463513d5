#include <gtest/gtest.h>

#include "binary_file_import.h"
#include "binary_file_item.h"
#include "color_item.h"
#include "resource_container.h"
#include "temp_dir.h"
#include "text_expansion.h"
#include "text_item.h"

namespace plexion {
namespace {

class ExpansionTest : public ::testing::Test {
protected:
    void Text(const std::string& id, const std::string& text) {
        c_.GetAt<CVKT_Text>(c_.New<CVKT_Text>(id))->SetText(text);
    }
    std::string Expand(const std::string& text) {
        CVKT_Text item;
        item.SetText(text);
        return item.ExpandedText(c_);
    }
    CVKT_ResourceContainer c_;
};

TEST_F(ExpansionTest, ReplacesReferencesRecursively) {
    Text("hero", "Ann");
    Text("title", "[hero]'s quest");
    EXPECT_EQ(Expand("Hello [hero], welcome!"), "Hello Ann, welcome!");
    EXPECT_EQ(Expand("[hero] and [hero]"), "Ann and Ann");
    EXPECT_EQ(Expand("<[title]>"), "<Ann's quest>");
    EXPECT_EQ(Expand("plain"), "plain");
    EXPECT_EQ(Expand("a[b"), "a[b");
    EXPECT_EQ(Expand("x]y[z]"), "x]y");
    EXPECT_EQ(Expand("gone: [missing]."), "gone: .");
    EXPECT_EQ(Expand("[]"), "");
    Text("", "empty-id");
    EXPECT_EQ(Expand("<[]>"), "<empty-id>");
}

TEST_F(ExpansionTest, ManyDistinctReferencesAndDeepChainsExpandFully) {
    std::string many;
    std::string expected;
    for (int i = 0; i < 70; ++i) {
        Text("v" + std::to_string(i), std::to_string(i));
        many += "[v" + std::to_string(i) + "] ";
        expected += std::to_string(i) + " ";
    }
    EXPECT_EQ(Expand(many), expected);
    for (int depth = 0; depth < 1000; ++depth) {
        Text("d" + std::to_string(depth), "[d" + std::to_string(depth + 1) + "]");
    }
    Text("d1000", "bottom");
    EXPECT_EQ(Expand("<[d0]>"), "<bottom>");
}

TEST_F(ExpansionTest, CyclesStopWithTheTextAsItStandsWithinTheSizeBound) {
    Text("twice", "[twice][twice]");
    Text("grow", "x[grow]");
    Text("ping", "[pong]");
    Text("pong", "[ping]");
    Text("tick", "a[tock]");
    Text("tock", "b[tick]");
    struct Case {
        std::string text;
        std::string stillNamed;
    };
    for (const Case& c : {Case{"[twice]", "[twice]"}, Case{"[grow]", "[grow]"},
                          Case{"[ping]!", "]!"}, Case{"[tick]", "[t"}}) {
        const std::string expanded = Expand(c.text);
        EXPECT_LE(expanded.size(), ExpansionSizeLimit(c.text)) << c.text;
        EXPECT_NE(expanded.find(c.stillNamed), std::string::npos) << c.text;
    }
    const std::string large(100000, 'y');
    EXPECT_EQ(ExpansionSizeLimit(large), 64 * large.size());
}

TEST(SimpleKinds, TextsColorsAndFilesSurviveSaving) {
    test::CTempDir dir;
    CVKT_ResourceContainer c;
    auto* text = c.GetAt<CVKT_Text>(c.New<CVKT_Text>("t\xC3\xA9"));
    text->SetText("line1\r\nline2 \xFF\x80");
    text->SetValue(-42);
    auto* color = c.GetAt<CVKT_Color>(c.New<CVKT_Color>("c"));
    color->SetColor(CVKT_Color::FromRgb(1, 2, 3));
    color->SetAlpha(100);
    color->SetValue(7);
    auto* empty = c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("empty"));
    empty->SetSourceFilename("/nowhere/empty.bin");
    auto* plain = c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("plain"));
    plain->SetPlainFlag(5);
    ASSERT_TRUE(plain->Data().SetSize(3));
    std::copy_n("abc", 3, plain->Data().Data());
    auto* scrambled = c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("scrambled"));
    ASSERT_TRUE(scrambled->Data().SetSize(40000));
    for (int i = 0; i < 40000; ++i) {
        scrambled->Data().Data()[i] = static_cast<std::uint8_t>(i % 251);
    }
    const std::vector<std::uint8_t> original(scrambled->Data().Data(),
                                             scrambled->Data().Data() + 40000);

    ASSERT_EQ(c.Save(dir.File("d.dat")), 1);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), scrambled->Data().Data()));
    const auto file = test::ReadFileBytes(dir.File("d.dat"));
    const std::string fileText(file.begin(), file.end());
    EXPECT_NE(fileText.find("abc"), std::string::npos);
    EXPECT_EQ(std::search(file.begin(), file.end(), original.begin(), original.begin() + 64),
              file.end());

    CVKT_ResourceContainer loaded;
    loaded.Load(dir.File("d.dat"));
    ASSERT_EQ(loaded.LastLoadStatus(), LoadStatus::Clean);
    const auto* t = loaded.GetAt<CVKT_Text>(0);
    EXPECT_EQ(t->ID(), "t\xC3\xA9");
    EXPECT_EQ(t->Text(), "line1\r\nline2 \xFF\x80");
    EXPECT_EQ(t->Value(), -42);
    const auto* col = loaded.GetAt<CVKT_Color>(0);
    EXPECT_EQ(col->Color(), CVKT_Color::FromRgb(1, 2, 3));
    EXPECT_EQ(col->Alpha(), 255);
    EXPECT_EQ(col->Value(), 7);
    EXPECT_EQ(col->Specifications(), "Alpha 255, RGB( 1, 2, 3 )");
    const auto* e = loaded.GetAt<CVKT_BinaryFile>(0);
    EXPECT_EQ(e->Data().Size(), 0);
    EXPECT_EQ(e->SourceFilename(), "/nowhere/empty.bin");
    const auto* p = loaded.GetAt<CVKT_BinaryFile>(1);
    EXPECT_EQ(p->PlainFlag(), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p->Data().Data()), 3), "abc");
    const auto* s = loaded.GetAt<CVKT_BinaryFile>(2);
    ASSERT_EQ(s->Data().Size(), 40000);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), s->Data().Data()));
    EXPECT_EQ(s->Specifications(), "40000 Bytes");
}

TEST(ByteBuffer, SetSizeAllocatesExactlyAndKeepsContent) {
    CVKT_ByteBuffer buffer;
    ASSERT_TRUE(buffer.SetSize(4));
    std::copy_n("wxyz", 4, buffer.Data());
    EXPECT_EQ(buffer.Capacity(), 4);
    ASSERT_TRUE(buffer.SetSize(10));
    EXPECT_EQ(buffer.Capacity(), 10);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 4), "wxyz");
    ASSERT_TRUE(buffer.SetSize(2));
    EXPECT_EQ(buffer.Capacity(), 2);
    buffer.SetExtra(6);
    ASSERT_TRUE(buffer.SetSize(3));
    EXPECT_EQ(buffer.Capacity(), 9);
    ASSERT_TRUE(buffer.SetSize(5));
    EXPECT_EQ(buffer.Capacity(), 9);
    ASSERT_TRUE(buffer.SetSize(0));
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.Capacity(), 0);
    EXPECT_FALSE(buffer.SetSize(-1));
}

TEST(ByteBuffer, FilesLoadAndSave) {
    test::CTempDir dir;
    test::WriteFileBytes(dir.File("in"), {9, 8, 7});
    CVKT_ByteBuffer buffer;
    EXPECT_FALSE(buffer.SaveToFile(dir.File("out")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
    EXPECT_FALSE(buffer.LoadFromFile(dir.File("missing")));
    EXPECT_FALSE(buffer.LoadFromFile(dir.Path().string()));
    ASSERT_TRUE(buffer.LoadFromFile(dir.File("in")));
    EXPECT_EQ(buffer.Size(), 3);
    ASSERT_TRUE(buffer.SaveToFile(dir.File("out")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("out")), (std::vector<std::uint8_t>{9, 8, 7}));
    EXPECT_FALSE(buffer.LoadFromFile(dir.File("missing")));
    EXPECT_EQ(buffer.Size(), 3);
}

TEST(BinaryFileImport, IdIsTheFileTitleAndFailuresLeaveNoItem) {
    test::CTempDir dir;
    test::WriteFileBytes(dir.File("photo.final.png"), std::vector<std::uint8_t>(1536, 1));
    CVKT_ResourceContainer c;
    EXPECT_EQ(AddBinaryFile(c, dir.File("photo.final.png")), 0);
    const auto* item = c.GetAt<CVKT_BinaryFile>(0);
    EXPECT_EQ(item->ID(), "photo.final");
    EXPECT_EQ(item->SourceFilename(), dir.File("photo.final.png"));
    EXPECT_EQ(item->Specifications(), "1536 Bytes");
    EXPECT_EQ(AddBinaryFile(c, dir.File("missing.bin")), -1);
    EXPECT_EQ(c.Count<CVKT_BinaryFile>(), 1);
}

}  // namespace
}  // namespace plexion
