// Turning the bytes of an image file into the same picture in another file format.
#pragma once

#include <string_view>

#include "text/text.h"

namespace textorin {

// Format indexes: 1 BMP, 2 JPEG, 3 GIF, 4 TIFF, 5 PNG; any other encodes nothing.
enum ImageFormatIndex : int { kBmp = 1, kJpeg = 2, kGif = 3, kTiff = 4, kPng = 5 };

// Decodes `source` (BMP, JPEG, GIF, TIFF or PNG) and encodes it in the chosen format, with
// transparency flattened onto white when asked. On success `output` (when given; it may be
// `source` itself) receives the new file and, when `save_path` is not blank, so does that file,
// named with the format's extension unless it already ends with it in any letter case; a file
// that cannot be written does not change the result. False, with nothing changed, when the
// source is shorter than 3 bytes, cannot be decoded or the format is unknown.
bool reencode_image(const Bytes& source, int format_index, std::string_view save_path = {},
                    Bytes* output = nullptr, bool flatten_on_white = false);

}  // namespace textorin
