#include "net/codecs.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace textorin {
namespace {

Bytes bytes_of(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

TEST(UrlEncode, ExamplesAndPlainCharacters) {
    struct Case {
        std::string text;
        bool keep_plain, utf8;
        std::string encoded;
    };
    const Case cases[] = {
        {"a b/1.5", true, true, "a%20b%2F1.5"},
        {"ab+/c=", true, true, "ab%2B%2Fc%3D"},
        {gbk("中文"), true, true, "%E4%B8%AD%E6%96%87"},
        {gbk("中"), true, false, "%D6%D0"},
        {"A", false, false, "%41"},
        {"", true, true, ""},
        {"", false, false, ""},
        {"_~*&-.", true, true, "%5F%7E%2A%26-."},
        {"\r\n", true, true, "%0D%0A"},
        {"\xFF", true, false, "%FF"},
        {"\x80", true, true, "%E2%82%AC"},
        {std::string("a\0b", 3), true, true, "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(url_encode(c.text, c.keep_plain, c.utf8), c.encoded) << c.text;
}

TEST(ToUtf8, ConvertsGbk) {
    EXPECT_EQ(to_utf8(gbk("中文abc")), "中文abc");
    EXPECT_EQ(to_utf8(""), "");
}

TEST(ReplyToText, DecodesUtf8IntoGbk) {
    const std::pair<std::string, std::string> cases[] = {
        {"中文", gbk("中文")},
        {std::string("ab\0cd", 5), "ab"},
        {"\xF0\x9F\x98\x80!", "?!"},
        {"a\xE4\xB8", "a?"},
        {"\xD6\xD0", "??"},  // a GBK body loses its Chinese characters
        {"", ""},
    };
    for (const auto& [body, text] : cases)
        EXPECT_EQ(reply_to_text(bytes_of(body)), text) << body;
}

TEST(Base64Encode, Rfc4648) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFF\xFF\xFE", "///+"},
        {std::string("\0\0\0", 3), "AAAA"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(base64_encode(bytes_of(in)), out) << in;
}

}  // namespace
}  // namespace textorin
