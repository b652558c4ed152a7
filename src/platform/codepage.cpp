// Conversion loops over the code page 936 table; the table itself comes from the platform.
#include "platform/codepage.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace textorin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::string_view until_nul(std::string_view s) {
    if (s.empty()) return s;  // an empty view may hold a null pointer, which memchr must not see
    const void* nul = std::memchr(s.data(), 0, s.size());
    return nul ? s.substr(0, static_cast<const char*>(nul) - s.data()) : s;
}

std::u16string_view until_nul(std::u16string_view s) {
    auto n = s.find(u'\0');
    return n == s.npos ? s : s.substr(0, n);
}

bool is_gbk_trail(std::uint8_t b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Decodes one GBK character at s[i] and advances i. An unmapped but well-formed double-byte
// code counts as one character, so its trail byte is never read as ASCII.
char32_t next_gbk(std::string_view s, std::size_t& i, const codepage::Table& t) {
    const auto b = static_cast<std::uint8_t>(s[i++]);
    if (b < 0x80) return b;
    if (b == 0x80 || b == 0xFF) return t.to_unicode[b] ? t.to_unicode[b] : kReplacement;
    if (i == s.size()) return kReplacement;
    const auto trail = static_cast<std::uint8_t>(s[i]);
    if (!is_gbk_trail(trail)) return kReplacement;
    ++i;
    const char16_t u = t.to_unicode[b * 256 + trail];
    return u ? u : kReplacement;
}

// Decodes one UTF-8 character at s[i] and advances i, taking each maximal invalid
// subsequence as one U+FFFD (the Unicode standard's rule, as in table 3-7).
char32_t next_utf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<std::uint8_t>(s[i++]);
    if (b0 < 0x80) return b0;
    int need;
    char32_t cp;
    std::uint8_t lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < need; ++k) {
        if (i == s.size()) return kReplacement;
        const auto b = static_cast<std::uint8_t>(s[i]);
        if (b < lo || b > hi) return kReplacement;
        lo = 0x80, hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    return cp;
}

void put_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void put_gbk(std::string& out, char32_t c, const codepage::Table& t) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const char16_t code = c < 0x10000 ? t.from_unicode[c] : 0;
    if (code == 0) {
        out += '?';
    } else if (code < 0x100) {
        out += static_cast<char>(code);
    } else {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
}

// Appends the run of ASCII bytes starting at s[i] unchanged; most service text is ASCII.
void copy_ascii_run(std::string_view s, std::size_t& i, std::string& out) {
    const std::size_t start = i;
    while (i < s.size() && static_cast<std::uint8_t>(s[i]) < 0x80)
        ++i;
    out.append(s.data() + start, i - start);
}

}  // namespace

namespace codepage {
const Table& table() {
    static const std::unique_ptr<Table> instance = [] {
        auto t = std::make_unique<Table>();
        build_table(*t);
        return t;
    }();
    return *instance;
}
}  // namespace codepage

std::string gbk_to_utf8(std::string_view gbk) {
    gbk = until_nul(gbk);
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    const auto& t = codepage::table();
    for (std::size_t i = 0; i < gbk.size();) {
        copy_ascii_run(gbk, i, out);
        if (i < gbk.size()) put_utf8(out, next_gbk(gbk, i, t));
    }
    return out;
}

std::string utf8_to_gbk(std::string_view utf8) {
    utf8 = until_nul(utf8);
    std::string out;
    out.reserve(utf8.size());
    const auto& t = codepage::table();
    for (std::size_t i = 0; i < utf8.size();) {
        copy_ascii_run(utf8, i, out);
        if (i < utf8.size()) put_gbk(out, next_utf8(utf8, i), t);
    }
    return out;
}

std::u16string gbk_to_utf16(std::string_view gbk) {
    gbk = until_nul(gbk);
    std::u16string out;
    out.reserve(gbk.size());
    const auto& t = codepage::table();
    for (std::size_t i = 0; i < gbk.size();)
        out += static_cast<char16_t>(next_gbk(gbk, i, t));
    return out;
}

std::string utf16_to_gbk(std::u16string_view utf16) {
    utf16 = until_nul(utf16);
    std::string out;
    out.reserve(utf16.size() * 2);
    const auto& t = codepage::table();
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            ++i;  // a character beyond the BMP: the code page has none of them
            out += '?';
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += '?';
        } else {
            put_gbk(out, u, t);
        }
    }
    return out;
}

}  // namespace textorin
