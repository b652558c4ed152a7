// The symbol-width conversions of the main window's two buttons, byte-wise on GBK text:
// every byte of 0x80 or above takes the next byte with it, and one that ends the text is dropped.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace textorin {

// Space to A1 A1, "!" to "}" to A3 (byte + 0x80), "~" to A1 AB; everything else unchanged.
Text to_full_width(std::string_view text);

// A1 A1 to space, A1 AB to "~", A1 EE and A1 EF to "*", A3 A1-FE to byte - 0x80.
Text to_half_width(std::string_view text);

// The same on UTF-16 text from the window: characters the code page lacks (an emoji, say) pass
// through unchanged instead of becoming "?".
std::u16string to_full_width(std::u16string_view text);
std::u16string to_half_width(std::u16string_view text);

}  // namespace textorin
