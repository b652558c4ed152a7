#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace textorin {
namespace {

TEST(Codepage, UsesTheWindowsTable) {
    EXPECT_EQ(gbk("中文"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(gbk("€"), "\x80");
    EXPECT_EQ(gbk_to_utf8("\x80"), "€");
    EXPECT_EQ(gbk_to_utf16("\xD6\xD0"), u"中");
    EXPECT_EQ(utf16_to_gbk(u"文"), "\xCE\xC4");
}

TEST(Codepage, MalformedInputBecomesOneReplacementPerMaximalSubsequence) {
    const std::pair<std::string, std::string> utf8_cases[] = {
        {"a\xFF"
         "b",
         "a?b"},
        {"\xE4\xB8"
         "a",
         "?a"},  // a truncated three-byte sequence is one "?"
        {"\xE4\xB8", "?"},
        {"\xC0\xAF", "??"},         // overlong: each byte on its own
        {"\xED\xA0\x80", "???"},    // an encoded surrogate
        {"\xF0\x9F\x98\x80", "?"},  // beyond the BMP: one character, one "?"
        {"\xF4\x90\x80\x80", "????"},
        {"a\0b", "a"},
    };
    for (const auto& [in, out] : utf8_cases)
        EXPECT_EQ(utf8_to_gbk(in), out) << in;

    const std::pair<std::string, std::string> gbk_cases[] = {
        {"\x81", "\xEF\xBF\xBD"},    // lone lead byte at the end
        {"\x81 ", "\xEF\xBF\xBD "},  // lead byte before a byte that cannot trail
        {"\xFF", "\xEF\xBF\xBD"},
        {"\xD6\xD0\0\xCE\xC4", "中"},
    };
    for (const auto& [in, out] : gbk_cases)
        EXPECT_EQ(gbk_to_utf8(in), out) << in;
}

TEST(Codepage, SurrogatesAndMissingCharacters) {
    EXPECT_EQ(utf16_to_gbk(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(utf16_to_gbk(std::u16string{u'a', char16_t(0xD800), u'b'}), "a?b");
    EXPECT_EQ(utf8_to_gbk("\xEA\xB0\x80"), "?");  // a Hangul syllable the code page lacks
}

TEST(Codepage, EveryMappedCodeRoundTrips) {
    const auto& t = codepage::table();
    int mapped = 0;
    for (unsigned code = 0x8140; code <= 0xFEFE; ++code) {
        if (!t.to_unicode[code]) continue;
        ++mapped;
        const std::string bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        ASSERT_EQ(utf16_to_gbk(gbk_to_utf16(bytes)), bytes) << std::hex << code;
    }
    EXPECT_GT(mapped, 21000);
}

TEST(Codepage, ConcurrentFirstUseIsSafe) {
    std::vector<std::thread> threads;
    std::vector<std::string> results(4);
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&results, i] { results[i] = gbk_to_utf8(gbk("中文")); });
    for (auto& t : threads)
        t.join();
    for (const auto& r : results)
        EXPECT_EQ(r, "中文");
}

}  // namespace
}  // namespace textorin
