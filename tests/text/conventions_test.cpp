#include "text/conventions.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace textorin {
namespace {

// 亅 is 81 7C and 乗 is 81 5C: their trail bytes look like "|" and "\".
// 丄 is 81 41: its trail byte looks like "A".
struct FindCase {
    const char* name;
    std::string text, needle;
    std::size_t from, found;
};

TEST(TextSearch, NeverMatchesOnATrailByte) {
    const FindCase cases[] = {
        {"ascii", "a|b", "|", 0, 1},
        {"trail byte is not a match", gbk("亅"), "|", 0, npos},
        {"match after a lookalike trail", gbk("亅|"), "|", 0, 2},
        {"backslash trail", gbk("乗\\x"), "\\", 0, 2},
        {"needle spanning characters", gbk("a亅b"),
         "\x7C"
         "b",
         0, npos},
        {"double-byte needle", gbk("x中文"), gbk("文"), 0, 3},
        {"from skips earlier matches", "a|b|c", "|", 2, 3},
        {"from beyond the end", "abc", "a", 4, npos},
        {"empty needle", "abc", "", 1, 1},
        {"lone lead byte at end", "ab\x81", "\x81", 0, 2},
        {"a lead byte before a non-trail byte", "\xe1=x", "=", 0, 1},

    };
    for (const auto& c : cases)
        EXPECT_EQ(find_text(c.text, c.needle, c.from), c.found) << c.name;
}

TEST(TextSearch, FoldsAsciiLettersOnlyInAnyCaseSearch) {
    EXPECT_EQ(find_text_nocase("xSET-cookie:", "Set-Cookie"), 1u);
    EXPECT_EQ(find_text("xSET-cookie:", "Set-Cookie"), npos);
    // 丄 (81 41) must not match "a" through folding its trail byte.
    EXPECT_EQ(find_text_nocase(gbk("丄"), "a"), npos);
    EXPECT_EQ(find_text_nocase(gbk("丄a"), "A"), 2u);
}

TEST(TextSearch, LastMatchStartsOnABoundary) {
    EXPECT_EQ(find_last_text("result=1\r\nresult=2", "result="), 10u);
    EXPECT_EQ(find_last_text(gbk("|亅"), "|"), 0u);
    EXPECT_EQ(find_last_text("aaa", "aa"), 1u);
    EXPECT_EQ(find_last_text("abc", "x"), npos);
}

TEST(TextTrim, RemovesAsciiAndIdeographicSpacesOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"  a b  ", "a b"},
        {gbk("　 中 　"), gbk("中")},
        {"\ta\r\n", "\ta\r\n"},
        {"   ", ""},
        {"", ""},
        // B0 A1 is 啊; the A1 A1 that looks like a space at the end starts inside it.
        {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(trim(in), out) << in;
}

TEST(TextSplit, KeepsEmptyPiecesExceptAfterAFinalSeparator) {
    using V = std::vector<std::string>;
    const std::tuple<std::string, std::string, V> cases[] = {
        {"", ";", V{}},
        {"a", ";", V{"a"}},
        {"a;b", ";", V{"a", "b"}},
        {"a;", ";", V{"a"}},
        {";a", ";", V{"", "a"}},
        {"a;;b", ";", V{"a", "", "b"}},
        {";;", ";", V{"", ""}},
        {"l1\r\nl2\r\n", "\r\n", V{"l1", "l2"}},
        {gbk("亅|x"), "|", V{gbk("亅"), "x"}},
    };
    for (const auto& [text, sep, pieces] : cases)
        EXPECT_EQ(split(text, sep), pieces) << text;
}

TEST(TextReplace, LeftToRightWithoutOverlaps) {
    EXPECT_EQ(replace_all("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(replace_all("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replace_all(gbk("亅|"), "|", "/"), gbk("亅/"));
    EXPECT_EQ(replace_all("abc", "", "x"), "abc");
    EXPECT_EQ(replace_all_nocase("A set-cookie: b SET-COOKIE:c", "Set-Cookie:", ""), "A  b c");
}

TEST(TextToInt, ReadsSignAndDigitsIncludingFullWidthForms) {
    const std::pair<std::string, int> cases[] = {
        {"123", 123},
        {"  -42", -42},
        {"+7", 7},
        {"1a", 1},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {gbk("１２３"), 123},
        {gbk("－５"), -5},
        {gbk("　＋９x"), 9},
        {"\t\r\n 8", 8},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(text_to_int(text), value) << text;
}

}  // namespace
}  // namespace textorin
