#include "net/codecs.h"

#include <array>
#include <cstring>

#include "platform/codepage.h"

namespace textorin {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 'A'; c <= 'Z'; ++c)
        plain[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        plain[c] = true;
    for (int c = '0'; c <= '9'; ++c)
        plain[c] = true;
    plain['-'] = plain['.'] = true;
    return plain;
}();

// Every 12-bit value as its two Base64 characters, so three bytes take two look-ups.
constexpr std::array<std::array<char, 2>, 4096> kBase64Pairs = [] {
    std::array<std::array<char, 2>, 4096> pairs{};
    for (int v = 0; v < 4096; ++v)
        pairs[v] = {kBase64[v >> 6], kBase64[v & 63]};
    return pairs;
}();

bool has_non_ascii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

}  // namespace

Text url_encode(std::string_view text, bool keep_plain, bool utf8) {
    text = text.substr(0, text.find('\0'));
    Text converted;
    if (utf8 && has_non_ascii(text)) {
        converted = gbk_to_utf8(text);
        text = converted;
    }
    Text out(text.size() * 3, '\0');
    char* o = out.data();
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (keep_plain && kPlain[b]) {
            *o++ = ch;
        } else {
            o[0] = '%';
            o[1] = kHex[b >> 4];
            o[2] = kHex[b & 15];
            o += 3;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

Text to_utf8(std::string_view text) {
    return gbk_to_utf8(text);
}

Text reply_to_text(std::span<const std::uint8_t> body) {
    return utf8_to_gbk(std::string_view(reinterpret_cast<const char*>(body.data()), body.size()));
}

Text base64_encode(std::span<const std::uint8_t> bytes) {
    const std::size_t n = bytes.size();
    Text out((n + 2) / 3 * 4, '\0');
    const std::uint8_t* in = bytes.data();
    char* o = out.data();
    std::size_t i = 0;
    for (; i + 3 <= n; i += 3, o += 4) {
        const std::uint32_t v =
            std::uint32_t(in[i]) << 16 | std::uint32_t(in[i + 1]) << 8 | in[i + 2];
        std::memcpy(o, kBase64Pairs[v >> 12].data(), 2);
        std::memcpy(o + 2, kBase64Pairs[v & 0xFFF].data(), 2);
    }
    if (n - i == 1) {
        const std::uint32_t v = std::uint32_t(in[i]) << 4;
        std::memcpy(o, kBase64Pairs[v].data(), 2);
        o[2] = o[3] = '=';
    } else if (n - i == 2) {
        const std::uint32_t v = (std::uint32_t(in[i]) << 8 | in[i + 1]) << 2;
        std::memcpy(o, kBase64Pairs[v >> 6 & 0xFFF].data(), 2);
        o[2] = kBase64[v & 63];
        o[3] = '=';
    }
    return out;
}

}  // namespace textorin
