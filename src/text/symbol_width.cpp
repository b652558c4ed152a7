#include "text/symbol_width.h"

#include "platform/codepage.h"

namespace textorin {
namespace {

unsigned char byte_at(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// One character: a surrogate pair counts as one.
std::size_t unit_length(std::u16string_view s, std::size_t i) {
    const bool pair = s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
                      s[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

// True when the code page has the character at i (NUL, which ends a text, is kept out).
bool encodable(std::u16string_view s, std::size_t i) {
    const char16_t c = s[i];
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) return false;
    return c < 0x80 || codepage::table().from_unicode[c] != 0;
}

// Converts the runs of characters the code page holds and copies the others. The conversions
// act on each character on its own, so a run converts as the whole text would.
std::u16string convert_encodable(std::u16string_view text, Text (*convert)(std::string_view)) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && encodable(text, end))
            end += unit_length(text, end);
        if (end > i) out += gbk_to_utf16(convert(utf16_to_gbk(text.substr(i, end - i))));
        const std::size_t keep = end < text.size() ? unit_length(text, end) : 0;
        out.append(text.substr(end, keep));
        i = end + keep;
    }
    return out;
}

}  // namespace

std::u16string to_full_width(std::u16string_view text) {
    return convert_encodable(text, [](std::string_view t) { return to_full_width(t); });
}

std::u16string to_half_width(std::u16string_view text) {
    return convert_encodable(text, [](std::string_view t) { return to_half_width(t); });
}

Text to_full_width(std::string_view text) {
    Text out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = byte_at(text, i);
        if (b >= 0x80) {
            if (i + 1 < text.size()) out.append(text, i, 2);
            ++i;
        } else if (b == ' ') {
            out += "\xA1\xA1";
        } else if (b >= 0x21 && b <= 0x7D) {
            out += '\xA3';
            out += static_cast<char>(b + 0x80);
        } else if (b == '~') {
            out += "\xA1\xAB";
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

Text to_half_width(std::string_view text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = byte_at(text, i);
        if (b < 0x80) {
            out += static_cast<char>(b);
            continue;
        }
        if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
        const unsigned char t = byte_at(text, ++i);
        if (b == 0xA1 && t == 0xA1) {
            out += ' ';
        } else if (b == 0xA1 && t == 0xAB) {
            out += '~';
        } else if (b == 0xA1 && (t == 0xEE || t == 0xEF)) {
            out += '*';
        } else if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
            out += static_cast<char>(t - 0x80);
        } else {
            out += static_cast<char>(b);
            out += static_cast<char>(t);
        }
    }
    return out;
}

}  // namespace textorin
