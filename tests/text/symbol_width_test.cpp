#include "text/symbol_width.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace textorin {
namespace {

TEST(SymbolWidth, FullWidthTable) {
    const std::pair<std::string, std::string> cases[] = {
        {"a~b", "\xA3\xE1\xA1\xAB\xA3\xE2"},
        {" ", "\xA1\xA1"},
        {"A!}", "\xA3\xC1\xA3\xA1\xA3\xFD"},
        {"\t\x7F\r\n", "\t\x7F\r\n"},
        {gbk("中a"), gbk("中ａ")},
        {"x\xB0", "\xA3\xF8"},  // a lead byte that ends the text is dropped
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(to_full_width(in), out) << in;
}

TEST(SymbolWidth, HalfWidthTable) {
    const std::pair<std::string, std::string> cases[] = {
        {gbk("ＡＢ１２　！中"), gbk("AB12 !中")},
        {"\xA1\xAB\xA1\xEE\xA1\xEF\xA3\xFE", "~**~"},
        {gbk("，。"), gbk(",。")},
        {"x\xA3", "x"},
        {"\xA3\xA0", "\xA3\xA0"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(to_half_width(in), out) << in;
}

TEST(SymbolWidth, HalfOfFullGivesBackAnyAscii) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
        ascii += static_cast<char>(c);
    EXPECT_EQ(to_half_width(to_full_width(ascii)), ascii);
}

TEST(SymbolWidth, CharactersOutsideTheCodePagePassThrough) {
    EXPECT_EQ(to_full_width(u"a\U0001F600 b"), u"ａ\U0001F600　ｂ");
    EXPECT_EQ(to_half_width(u"ＡＢ\uAC00！"), u"AB\uAC00!");  // a Hangul syllable stays
    EXPECT_EQ(to_full_width(std::u16string(u"x\xD800y")), std::u16string(u"ｘ\xD800ｙ"));
}

}  // namespace
}  // namespace textorin
