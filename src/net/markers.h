// Cutting a piece out of a text by markers.
#pragma once

#include <string_view>

#include "text/text.h"

namespace textorin {

// What stands between the first start marker and the next end marker after it; empty when
// either is missing. "#引号" in a marker stands for a double quote.
Text text_between(std::string_view text, std::string_view start, std::string_view end);

// Everything after the last occurrence of the marker; empty when it does not occur.
Text text_after_last(std::string_view text, std::string_view marker);

}  // namespace textorin
