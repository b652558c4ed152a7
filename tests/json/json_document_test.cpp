#include "json/json_document.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/codepage.h"

namespace textorin {
namespace {

using Names = std::vector<std::string>;

const char* const kReply =
    R"({"log_id":7,"words_result_num":2,"words_result":[{"words":"a"},{"words":"b"}],)"
    R"("n":110,"x":0.5,"ok":true,"none":null})";

TEST(JsonDocument, ReadsAParsedReply) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(kReply));
    EXPECT_EQ(doc.count("words_result"), 2);
    EXPECT_EQ(doc.get_text("words_result[1].words"), "b");
    EXPECT_EQ(doc.get_text("n"), "110");
    EXPECT_EQ(doc.get_text("x"), "0.5");
    EXPECT_EQ(doc.get_text("missing"), "");
    EXPECT_EQ(doc.get_text("missing.deeper"), "");
    EXPECT_EQ(doc.get_text("words_result[0]", true), R"({"words":"a"})");
    EXPECT_LE(doc.count("missing"), 0);
    EXPECT_EQ(doc.count("missing.deeper"), 0);
    EXPECT_EQ(doc.get_number("log_id"), 7);

    const std::pair<const char*, int> kinds[] = {
        {"words_result", kJsonArray}, {"words_result[0]", kJsonObject},
        {"n", kJsonNumber},           {"words_result[0].words", kJsonString},
        {"none", kJsonNull},          {"missing", kJsonNull},
        {"ok", kJsonOther},           {"missing.deeper", kJsonOther},
        {"toJSONString", kJsonOther},
    };
    for (const auto& [path, kind] : kinds)
        EXPECT_EQ(doc.type_of(path), kind) << path;
}

TEST(JsonDocument, MemberNamesLeaveOutTheLibraryMethods) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(R"({"a":1,"b":{"c":2}})"));
    EXPECT_EQ(doc.member_names(), (Names{"a", "b"}));
    EXPECT_EQ(doc.member_names("b"), (Names{"c"}));
    EXPECT_EQ(doc.member_names("missing"), Names{});
    EXPECT_EQ(doc.count(), 2);
}

TEST(JsonDocument, PathsBeginningWithABracket) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(R"([{"w":"x"},3])"));
    EXPECT_EQ(doc.get_text("[0].w"), "x");
    EXPECT_EQ(doc.count("[0]"), 1);
    EXPECT_EQ(doc.get_document("[0]").get_text("w"), "x");
    EXPECT_EQ(doc.get_number("[1]"), 0);  // only lookups take the "[" rule
    EXPECT_FALSE(doc.has_member("[0]"));
}

TEST(JsonDocument, ParseAcceptsOnlyJson) {
    const std::pair<std::string, bool> cases[] = {
        {"", false},
        {"<html><body>502 Bad Gateway</body></html>", false},
        {"null", false},
        {"{a:1}", false},                         // a script literal, not JSON
        {"(function(){return {a:1}})()", false},  // code is never run
        {"{\"a\":1} x", false},
        {"[]", true},
        {"5", true},
    };
    for (const auto& [text, parsed] : cases) {
        JsonDocument doc;
        EXPECT_EQ(doc.parse(text), parsed) << text;
        if (!parsed) {
            EXPECT_EQ(doc.get_text("a"), "") << text;
            EXPECT_EQ(doc.type_of(), kJsonNull) << text;
        }
    }
}

TEST(JsonDocument, EachParseStartsAFreshEngine) {
    JsonDocument doc;
    doc.set_member("kept", "1");
    ASSERT_TRUE(doc.parse(R"({"a":1})"));
    EXPECT_EQ(doc.get_text("kept"), "");
    EXPECT_EQ(doc.get_text("a"), "1");
}

TEST(JsonDocument, CopiesShareTheEngine) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(R"({"a":1})"));
    JsonDocument copy = doc;
    copy.set_member_number("a", 2.5);
    EXPECT_EQ(doc.get_text("a"), "2.5");
    copy.parse(R"({"a":3})");  // the copy moves to a fresh engine; the original keeps its own
    EXPECT_EQ(doc.get_text("a"), "2.5");
}

TEST(JsonDocument, WritingOperations) {
    JsonDocument doc;
    doc.set_member("s", "it's");  // an unescaped quote breaks the statement: no effect
    EXPECT_EQ(doc.to_json(), "{}");
    doc.set_member("s", "v");
    doc.set_member("o", "", true);
    doc.set_member_eval("e", "[1,2]");
    doc.append("x", "list");
    doc.append("7", "list", true);
    EXPECT_EQ(doc.to_json(), R"({"s":"v","o":{},"e":[1,2],"list":["x",7]})");
    EXPECT_TRUE(doc.has_member("list"));
    doc.remove_member("o");
    EXPECT_FALSE(doc.has_member("o"));
    EXPECT_EQ(doc.get_element_text(1, "list"), "7");
    EXPECT_EQ(doc.get_element_document(0, "e").to_json(), "1");

    doc.reset(kJsonArray);
    doc.set_element(0, "a");
    doc.set_element(1, "2", true);
    doc.set_element(2, "c");
    doc.remove_element(1);
    EXPECT_EQ(doc.to_json(), R"(["a","c"])");
    doc.set_root("text");
    EXPECT_EQ(doc.type_of(), kJsonString);
    doc.clear();
    EXPECT_EQ(doc.to_json(), "{}");
}

TEST(JsonDocument, HostileMemberNamesAreReadThroughPathSteps) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(R"({"a\"b":{"words":"q"},"x]y":{"words":"r"},)"
                          R"("__proto__;da=1":{"words":"s"},"c\\d":{"words":"t"}})"));
    const auto names = doc.member_names();
    ASSERT_EQ(names.size(), 4u);
    const char* const words[] = {"q", "r", "s", "t"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(doc.get_text(JsonDocument::path_step(names[i]) + ".words"), words[i]) << names[i];
    // 乗 is 81 5C: its trail byte looks like a backslash and must stay as it is.
    EXPECT_EQ(JsonDocument::path_step(gbk("乗\"")), "[\"" + gbk("乗") + "\\\"\"]");
    // A stray lead byte never hides the quote after it.
    EXPECT_EQ(JsonDocument::path_step("\xe1\"x"), "[\"\xe1\\\"x\"]");
}

TEST(JsonDocument, ChineseAndAstralTextRoundTrip) {
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(gbk(R"({"名称":"中文","e":"\ud83d\ude00x","z":"a\u0000b"})")));
    EXPECT_EQ(doc.get_text(JsonDocument::path_step(gbk("名称"))), gbk("中文"));
    EXPECT_EQ(doc.member_names()[0], gbk("名称"));
    EXPECT_EQ(doc.get_text("e"), "?x");  // one character the code page lacks, one "?"
    EXPECT_EQ(doc.get_text("z"), "a");   // a text ends at its first NUL
}

TEST(JsonDocument, LargeReplyParses) {
    std::string reply = R"({"words_result":[)";
    for (int i = 0; i < 100000; ++i)
        reply += R"({"words":"line )" + std::to_string(i) + R"("},)";
    reply += R"({"words":"end"}]})";
    reply += std::string(3'000'000, ' ');
    ASSERT_GT(reply.size(), 5'000'000u);
    JsonDocument doc;
    ASSERT_TRUE(doc.parse(reply));
    EXPECT_EQ(doc.count("words_result"), 100001);
    EXPECT_EQ(doc.get_text("words_result[99999].words"), "line 99999");
}

TEST(JsonDocument, DocumentsOnSeveralThreadsStayIndependent) {
    std::vector<std::thread> threads;
    std::vector<std::string> seen(4);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &seen] {
            for (int round = 0; round < 50; ++round) {
                JsonDocument doc;
                doc.parse(R"({"v":")" + std::to_string(t) + R"("})");
                seen[t] = doc.get_text("v");
                if (seen[t] != std::to_string(t)) return;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(seen[t], std::to_string(t));
}

}  // namespace
}  // namespace textorin
