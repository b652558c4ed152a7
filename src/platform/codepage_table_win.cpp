// Builds the code page 936 table from the system's own code page service.
#include <windows.h>

#include <cstring>

#include "platform/codepage.h"

namespace textorin::codepage {

void build_table(Table& t) {
    std::memset(&t, 0, sizeof t);
    for (unsigned c = 0; c < 0x80; ++c)
        t.to_unicode[c] = t.from_unicode[c] = char16_t(c);

    auto decode = [](const char* in, int len) -> char16_t {
        wchar_t w[2];
        const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, len, w, 2);
        return n == 1 ? static_cast<char16_t>(w[0]) : 0;
    };
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char in[1] = {static_cast<char>(b)};
        t.to_unicode[b] = decode(in, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            t.to_unicode[lead * 256 + trail] = decode(in, 2);
        }
    }
    for (unsigned u = 0x80; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const wchar_t w = static_cast<wchar_t>(u);
        char out[4];
        BOOL lossy = FALSE;
        const int n =
            WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &w, 1, out, sizeof out, nullptr, &lossy);
        if (lossy || n < 1) continue;
        t.from_unicode[u] = n == 1 ? static_cast<unsigned char>(out[0])
                                   : static_cast<char16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                           static_cast<unsigned char>(out[1]));
    }
}

}  // namespace textorin::codepage
