#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "argument_values.h"
#include "json_writer.h"
#include "sha256.h"
#include "text_escape.h"
#include "tool_failure.h"
#include "utf8.h"

namespace plexion::tool {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ToolTextEscape, EscapesOnlyTabBreaksAndBackslash) {
    EXPECT_EQ(EscapeField("a\tb\nc\rd\\e f\"g"), "a\\tb\\nc\\rd\\\\e f\"g");
    EXPECT_EQ(EscapeField("\xE9t\xE9"), "\xE9t\xE9");
}

TEST(ToolTextEscape, FoldsEachRunOfLineBreaksIntoOneBlank) {
    EXPECT_EQ(FoldLines("Older or wrong file version !\n\nDo you still want to load this file ?"),
              "Older or wrong file version ! Do you still want to load this file ?");
    EXPECT_EQ(FoldLines("a\r\nb\n"), "a b");
    EXPECT_EQ(FoldLines("one line"), "one line");
}

TEST(ToolUtf8, AcceptsWellFormedText) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE"));
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
}

TEST(ToolUtf8, RefusesMalformedText) {
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));           // Latin-1
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xE2\x28\xA1"));      // bad continuation
    EXPECT_FALSE(IsValidUtf8(std::string("\x80", 1)));
}

TEST(ToolJson, RealsReadBackToTheSameDouble) {
    for (const double value : {0.1, 1.0 / 3.0, 1e300, 5e-324, -2.5, 123456789.0, 1e21}) {
        const std::string text = JsonReal(value);
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
    EXPECT_EQ(JsonReal(2.0), "2.0");
    EXPECT_EQ(JsonReal(-0.0), "-0.0");
    EXPECT_EQ(JsonReal(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(JsonReal(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(ToolJson, WritesCommasEscapesAndHexTexts) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.Int(-1);
    json.Real(std::numeric_limits<double>::infinity());
    json.Text("q\"\\\n\x01\x7F");
    json.Text("\xFF\x00z");
    json.EndArray();
    json.Key("b");
    json.BeginObject();
    json.EndObject();
    json.EndObject();
    EXPECT_EQ(json.Result(),
              "{\"a\":[-1,\"Infinity\",\"q\\\"\\\\\\n\\u0001\\u007f\",{\"hex\":\"ff\"}],\"b\":{}}");
}

TEST(ToolJson, HexTextKeepsEveryByte) {
    CJsonWriter json;
    json.Text(std::string("\xFF\x00z", 3));
    EXPECT_EQ(json.Result(), "{\"hex\":\"ff007a\"}");
}

TEST(ToolSha256, MatchesTheStandardVectors) {
    EXPECT_EQ(Sha256Hex(Bytes("")),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex(Bytes("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex(Bytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(Bytes(std::string(1000000, 'a'))),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(ToolSha256, PiecesGiveTheSameDigestAsTheWhole) {
    const std::string text(200, 'x');
    CSha256 pieces;
    pieces.Update(Bytes(text.substr(0, 63)));
    pieces.Update(Bytes(text.substr(63, 1)));
    pieces.Update(Bytes(text.substr(64)));
    CSha256 whole;
    whole.Update(Bytes(text));
    EXPECT_EQ(pieces.Finish(), whole.Finish());
}

TEST(ToolArguments, ColorsAreReadAsRedGreenBlue) {
    EXPECT_EQ(ParseColor("FF0000"), 0x0000FFu);
    EXPECT_EQ(ParseColor("12abEF"), 0xEFAB12u);
    for (const char* bad : {"", "FFF", "FF00000", "GG0000", "+F0000", " F0000", "0x1234"}) {
        EXPECT_THROW(ParseColor(bad), CToolFailure) << bad;
    }
}

TEST(ToolArguments, IndexesMustBeWholeNumbers) {
    EXPECT_EQ(ParseIndex("12", "INDEX"), 12);
    EXPECT_EQ(ParseIndex("-1", "INDEX"), -1);
    for (const char* bad : {"", "1x", "x", "1.5", "99999999999"}) {
        try {
            ParseIndex(bad, "INDEX");
            ADD_FAILURE() << bad;
        } catch (const CToolFailure& failure) {
            EXPECT_EQ(failure.ExitCode(), kExitUsage);
        }
    }
}

}  // namespace
}  // namespace plexion::tool
