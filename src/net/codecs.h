// Bridges between the system's GBK texts and what the online services speak: percent-encoding,
// UTF-8 and Base64.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "text/text.h"

namespace textorin {

// Percent-encodes every byte as "%XX" (upper-case hex), except that with `keep_plain` the bytes
// A-Z, a-z, 0-9, "-" and "." stay. With `utf8` the text is first converted to UTF-8.
Text url_encode(std::string_view text, bool keep_plain = false, bool utf8 = false);

// The UTF-8 bytes of a GBK text.
Text to_utf8(std::string_view text);

// A reply body taken as UTF-8, as a GBK text: malformed sequences and characters the code page
// lacks become "?", and the text ends at the first NUL.
Text reply_to_text(std::span<const std::uint8_t> body);

// Standard Base64 (RFC 4648) on one line.
Text base64_encode(std::span<const std::uint8_t> bytes);

}  // namespace textorin
