// The text codecs on any bytes; percent-decoding url_encode's output gives back the UTF-8 text.
#include <string>

#include "net/codecs.h"

namespace {

std::string percent_decode(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = textorin::to_utf8(text);
    if (percent_decode(textorin::url_encode(text, true, true)) != utf8) __builtin_trap();
    if (percent_decode(textorin::url_encode(text, false, false)) != text.substr(0, text.find('\0')))
        __builtin_trap();
    (void)textorin::reply_to_text({data, size});
    const std::string b64 = textorin::base64_encode({data, size});
    if (b64.size() != (size + 2) / 3 * 4) __builtin_trap();
    return 0;
}
