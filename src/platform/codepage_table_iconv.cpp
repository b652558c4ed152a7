// Builds the code page 936 table from glibc's iconv "CP936", which follows the Windows code
// page (0x80 is the euro sign). iconv stops at bad input, so it is asked one character at a
// time; the iconv descriptors live only for the build.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/codepage.h"

namespace textorin::codepage {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts exactly `in` and returns the output length, or 0 when iconv refuses.
    std::size_t convert(const char* in, std::size_t in_len, char* out, std::size_t out_cap) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        std::size_t left = out_cap;
        if (iconv(cd_, &src, &in_len, &dst, &left) == static_cast<std::size_t>(-1) || in_len != 0)
            return 0;
        return out_cap - left;
    }

  private:
    iconv_t cd_;
};

char16_t unit_from(const char* utf16le, std::size_t len) {
    if (len != 2) return 0;  // nothing in this code page lies beyond the BMP
    return static_cast<char16_t>(static_cast<std::uint8_t>(utf16le[0]) |
                                 static_cast<std::uint8_t>(utf16le[1]) << 8);
}

}  // namespace

void build_table(Table& t) {
    std::memset(&t, 0, sizeof t);
    for (unsigned c = 0; c < 0x80; ++c)
        t.to_unicode[c] = t.from_unicode[c] = char16_t(c);

    Converter decode("UTF-16LE", "CP936");
    Converter encode("CP936", "UTF-16LE");
    if (!decode.ok() || !encode.ok()) return;  // ASCII only: everything else becomes "?"

    char out[8];
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char in[1] = {static_cast<char>(b)};
        t.to_unicode[b] = unit_from(out, decode.convert(in, 1, out, sizeof out));
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            t.to_unicode[lead * 256 + trail] =
                unit_from(out, decode.convert(in, 2, out, sizeof out));
        }
    }
    for (unsigned u = 0x80; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        const std::size_t n = encode.convert(in, 2, out, sizeof out);
        if (n == 1) {
            t.from_unicode[u] = static_cast<std::uint8_t>(out[0]);
        } else if (n == 2) {
            t.from_unicode[u] = static_cast<char16_t>(static_cast<std::uint8_t>(out[0]) << 8 |
                                                      static_cast<std::uint8_t>(out[1]));
        }
    }
}

}  // namespace textorin::codepage
