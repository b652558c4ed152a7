// The picture format of every capture: a 24-bit BMP file with a 14-byte file header (pixel data
// at offset 54), a 40-byte info header with a positive height, and rows stored bottom-up,
// blue-green-red, each padded to a multiple of 4 bytes. The reader also takes the common
// variants of a user's file: 32-bit pixels, top-down rows, bit-field masks.
#pragma once

#include <optional>

#include "platform/image.h"

namespace textorin {

// The file for the pixels.
Bytes write_bmp(const PixelView& pixels);

// The pixels of a 24-bit uncompressed file, in place (no copy); nullopt for any other file.
std::optional<PixelView> bmp_pixels(ByteSpan file);

// Any supported BMP file, decoded.
bool decode_bmp(ByteSpan file, Picture& out);

}  // namespace textorin
