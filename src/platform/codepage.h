// Conversions between code page 936 (GBK, the Windows table), UTF-8 and UTF-16.
//
// Every conversion stops at the first NUL of its input. Malformed input never fails: each
// maximal invalid subsequence decodes to one U+FFFD, and each character code page 936 lacks
// encodes to one "?". All functions are thread-safe and keep no state between calls.
#pragma once

#include <string>
#include <string_view>

namespace textorin {

std::string gbk_to_utf8(std::string_view gbk);
std::string utf8_to_gbk(std::string_view utf8);
std::u16string gbk_to_utf16(std::string_view gbk);
std::string utf16_to_gbk(std::u16string_view utf16);

// A GBK constant from a UTF-8 source literal; call it once and keep the result.
inline std::string gbk(std::string_view utf8) {
    return utf8_to_gbk(utf8);
}

namespace codepage {

// The code page's own mapping. `to_unicode` is indexed by a single byte (0x00-0xFF) or by a
// double-byte code lead * 256 + trail; 0 marks a code with no character (except index 0).
// `from_unicode` is indexed by a BMP code point and holds the byte (< 0x100) or the double-byte
// code; 0 marks a character the code page lacks (except U+0000).
struct Table {
    char16_t to_unicode[0x10000];
    char16_t from_unicode[0x10000];
};

// Built once, on first use, by the platform's code-page service.
const Table& table();

// Filled in by the platform implementation (codepage_table_*.cpp).
void build_table(Table& table);

}  // namespace codepage
}  // namespace textorin
