#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json_reader.h"
#include "json_writer.h"

namespace plexion::tool {
namespace {

struct CSyntaxCase {
    const char* text;
    int line;
    int column;
};

TEST(JsonReader, SaysWhereTheTextGoesWrong) {
    const std::vector<CSyntaxCase> cases = {
        {"", 1, 1},
        {"{\"a\": 1,}", 1, 9},
        {"{\n  \"a\": 1\n  \"b\": 2\n}", 3, 3},
        {"[1, 2", 1, 6},
        {"[01]", 1, 2},
        {"[1.]", 1, 2},
        {"\"tab\there\"", 1, 5},
        {"\"\\x\"", 1, 3},
        {"\"\\ud800\"", 1, 8},
        {"{\"a\": 1, \"a\": 2}", 1, 10},
        {"[true] x", 1, 8},
        {"\n\n   nul", 3, 4},
    };
    for (const CSyntaxCase& c : cases) {
        try {
            ParseJson(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const CJsonSyntaxError& error) {
            EXPECT_EQ(error.Line(), c.line) << c.text << ": " << error.what();
            EXPECT_EQ(error.Column(), c.column) << c.text << ": " << error.what();
        }
    }
}

TEST(JsonReader, ReadsBackEveryTextTheWriterWrites) {
    const std::vector<std::string> texts = {
        "", "plain", "quote \" backslash \\ slash /", std::string("nul \0 and \x1f \x7f", 13),
        "line\r\nbreak\ttab", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xae",
        "\xff\xfe not UTF-8", "\xed\xa0\x80 surrogate"};
    for (const std::string& text : texts) {
        CJsonWriter json;
        json.Text(text);
        const CJsonValue value = ParseJson(json.Result());
        const CJsonValue* hex = value.Member("hex");
        const std::string back = hex ? hex->text : value.text;
        if (hex) {
            std::string bytes;
            for (std::size_t i = 0; i < back.size(); i += 2) {
                bytes += static_cast<char>(std::stoi(back.substr(i, 2), nullptr, 16));
            }
            EXPECT_EQ(bytes, text);
        } else {
            EXPECT_EQ(back, text);
        }
    }
    EXPECT_EQ(ParseJson("\"\\ud83c\\udfae \\u00e9\"").text, "\xf0\x9f\x8e\xae \xc3\xa9");
}

TEST(JsonWriter, PrettyLayoutKeepsOneLineArraysOnOneLine) {
    CJsonWriter json(CJsonWriter::Layout::Pretty);
    json.BeginObject();
    json.Key("id");
    json.Text("a\xff");
    json.Key("rows");
    json.BeginArray();
    json.BeginArray(true);
    json.Int(1);
    json.Int(-2);
    json.EndArray();
    json.EndArray();
    json.Key("none");
    json.BeginArray();
    json.EndArray();
    json.Key("real");
    json.Real(0.5);
    json.EndObject();
    EXPECT_EQ(json.Result(),
              "{\n"
              "  \"id\": {\"hex\": \"61ff\"},\n"
              "  \"rows\": [\n"
              "    [1, -2]\n"
              "  ],\n"
              "  \"none\": [],\n"
              "  \"real\": 0.5\n"
              "}");
}

}  // namespace
}  // namespace plexion::tool
