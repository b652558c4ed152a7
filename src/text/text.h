// The two kinds of data the core passes around.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace textorin {

// A text in code page 936 (GBK) bytes. It never holds a NUL: conversions stop at the first one.
using Text = std::string;

// Any bytes with an explicit length: reply bodies, pictures, request bodies.
using Bytes = std::vector<std::uint8_t>;

}  // namespace textorin
