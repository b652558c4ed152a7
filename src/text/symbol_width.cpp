#include "text/symbol_width.h"

namespace textorin {
namespace {

unsigned char byte_at(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

}  // namespace

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
