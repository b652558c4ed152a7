#include "capture/bmp_file.h"

#include <bit>
#include <cstring>

namespace textorin {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr std::uint32_t kRgb = 0, kBitFields = 3;

std::uint32_t u32(ByteSpan b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(ByteSpan b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v), p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::size_t row_bytes(std::int64_t width, int bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

// What the headers say, checked against the file's size.
struct Layout {
    PixelView view;  // for 32-bit files the layout is Bgra, whatever the masks say
    int bits = 0;
    std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};  // red, green, blue, alpha
};

std::optional<Layout> read_layout(ByteSpan f) {
    if (f.size() < kFileHeader + kInfoHeader || f[0] != 'B' || f[1] != 'M') return std::nullopt;
    const std::uint32_t offset = u32(f, 10);
    const std::uint32_t header = u32(f, 14);
    if (header < kInfoHeader || kFileHeader + header > f.size()) return std::nullopt;
    const auto width = static_cast<std::int32_t>(u32(f, 18));
    const auto height = static_cast<std::int32_t>(u32(f, 22));
    const int bits = u16(f, 28);
    const std::uint32_t compression = u32(f, 30);
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : height;
    if (u16(f, 26) != 1 || !picture_size_ok(width, rows)) return std::nullopt;

    Layout layout;
    layout.bits = bits;
    if (bits == 32 && compression == kBitFields) {
        // The masks follow a 40-byte header, or stand inside a larger one.
        const std::size_t at = kFileHeader + kInfoHeader;
        const std::size_t count = header >= 56 ? 4 : 3;
        if (at + 4 * count > f.size()) return std::nullopt;
        for (std::size_t i = 0; i < count; ++i)
            layout.masks[i] = u32(f, at + 4 * i);
        if (count == 3) layout.masks[3] = 0;
    } else if ((bits != 24 && bits != 32) || compression != kRgb) {
        return std::nullopt;
    }

    const std::size_t stride = row_bytes(width, bits);
    if (offset > f.size() || (f.size() - offset) / stride < static_cast<std::size_t>(rows))
        return std::nullopt;
    const std::uint8_t* first = f.data() + offset;
    // A positive height stores the bottom row first.
    layout.view = height > 0 ? PixelView{first + (rows - 1) * stride, width, static_cast<int>(rows),
                                         -static_cast<std::ptrdiff_t>(stride), PixelLayout::Bgra}
                             : PixelView{first, width, static_cast<int>(rows),
                                         static_cast<std::ptrdiff_t>(stride), PixelLayout::Bgra};
    layout.view.layout = bits == 24 ? PixelLayout::Bgr : PixelLayout::Bgra;
    return layout;
}

// A channel from a packed 32-bit pixel, scaled to 8 bits.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (!mask) return 255;
    const int shift = std::countr_zero(mask);
    const int width = std::popcount(mask);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (width >= 8) return static_cast<std::uint8_t>(value >> (width - 8));
    const std::uint32_t max = (1u << width) - 1;
    return static_cast<std::uint8_t>(value * 255 / max);
}

}  // namespace

Bytes write_bmp(const PixelView& v) {
    const std::size_t stride = row_bytes(v.width, 24);
    const std::size_t image = stride * static_cast<std::size_t>(v.height);
    Bytes file(kFileHeader + kInfoHeader + image, 0);
    std::uint8_t* h = file.data();
    h[0] = 'B', h[1] = 'M';
    put32(h + 2, static_cast<std::uint32_t>(file.size()));
    put32(h + 10, kFileHeader + kInfoHeader);
    put32(h + 14, kInfoHeader);
    put32(h + 18, static_cast<std::uint32_t>(v.width));
    put32(h + 22, static_cast<std::uint32_t>(v.height));
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, static_cast<std::uint32_t>(image));
    std::uint8_t* out = h + kFileHeader + kInfoHeader;
    for (int y = v.height - 1; y >= 0; --y, out += stride) {
        const std::uint8_t* p = v.row(y);
        if (v.layout == PixelLayout::Bgr) {
            std::memcpy(out, p, std::size_t(v.width) * 3);
        } else {
            for (int x = 0; x < v.width; ++x, p += 4)
                std::memcpy(out + x * 3, p, 3);
        }
    }
    return file;
}

std::optional<PixelView> bmp_pixels(ByteSpan file) {
    auto layout = read_layout(file);
    if (!layout || layout->bits != 24) return std::nullopt;
    return layout->view;
}

bool decode_bmp(ByteSpan file, Picture& out) {
    const auto layout = read_layout(file);
    if (!layout) return false;
    const PixelView& v = layout->view;
    Picture picture{v.width, v.height,
                    std::vector<std::uint8_t>(std::size_t(v.width) * v.height * 4)};
    std::uint8_t* q = picture.bgra.data();
    for (int y = 0; y < v.height; ++y) {
        const std::uint8_t* p = v.row(y);
        for (int x = 0; x < v.width; ++x, q += 4) {
            if (layout->bits == 24) {
                q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = 255;
                p += 3;
            } else {
                // Without an alpha mask the fourth byte is padding: the pixel is opaque.
                const std::uint32_t pixel = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                            std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
                q[0] = channel(pixel, layout->masks[2]);
                q[1] = channel(pixel, layout->masks[1]);
                q[2] = channel(pixel, layout->masks[0]);
                q[3] = channel(pixel, layout->masks[3]);
                p += 4;
            }
        }
    }
    out = std::move(picture);
    return true;
}

}  // namespace textorin
