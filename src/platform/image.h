// Pixel buffers and the library codecs (JPEG, PNG, GIF, TIFF) that read and write them in memory.
// Every decoder refuses absurd sizes before it allocates, and leaves its output untouched on
// failure; every encoder leaves its output untouched on failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "text/text.h"

namespace textorin {

// Channel order of a pixel in memory.
enum class PixelLayout : std::uint8_t { Bgr, Bgra };

// Pixels read top row first; `stride` is the byte distance from a row to the row below it,
// negative when the rows are stored bottom-up (as in a BMP file).
struct PixelView {
    const std::uint8_t* top = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    PixelLayout layout = PixelLayout::Bgra;

    const std::uint8_t* row(int y) const { return top + y * stride; }
    // The row at the lowest address: where a buffer stored bottom-up begins.
    const std::uint8_t* first_in_memory() const { return stride < 0 ? row(height - 1) : top; }
    int bytes_per_pixel() const { return layout == PixelLayout::Bgr ? 3 : 4; }
    bool has_alpha() const { return layout == PixelLayout::Bgra; }
};

// A decoded picture: BGRA, 8 bits a channel, rows top-down and tightly packed.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;

    PixelView view() const {
        return {bgra.data(), width, height, std::ptrdiff_t{width} * 4, PixelLayout::Bgra};
    }
};

// The largest picture any decoder accepts.
inline constexpr std::int64_t kMaxPictureSide = 32768;
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;
constexpr bool picture_size_ok(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

using ByteSpan = std::span<const std::uint8_t>;

bool decode_jpeg(ByteSpan file, Picture& out);
bool decode_png(ByteSpan file, Picture& out);
bool decode_gif(ByteSpan file, Picture& out);  // the first frame, on its logical screen
bool decode_tiff(ByteSpan file, Picture& out);

bool encode_jpeg(const PixelView& pixels, Bytes& out);  // quality 75, 4:2:0
bool encode_png(const PixelView& pixels, Bytes& out);
bool encode_gif(const PixelView& pixels, Bytes& out);   // at most 256 colours
bool encode_tiff(const PixelView& pixels, Bytes& out);  // LZW

}  // namespace textorin
