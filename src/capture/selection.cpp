#include "capture/selection.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "capture/bmp_file.h"
#include "text/conventions.h"

namespace textorin {
namespace {

// Truncation toward zero of (v - 10.5), in integers: v - 10 for v <= 10, v - 11 otherwise.
int centre_offset(int v) {
    return v >= 11 ? v - 11 : v - 10;
}

Rect intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void and_colour(std::uint8_t* bgra, std::uint32_t rgb) {
    bgra[0] &= static_cast<std::uint8_t>(rgb);
    bgra[1] &= static_cast<std::uint8_t>(rgb >> 8);
    bgra[2] &= static_cast<std::uint8_t>(rgb >> 16);
}

}  // namespace

Rect ordered_rect(Point press, Point release) {
    return {std::min(press.x, release.x), std::min(press.y, release.y),
            std::max(press.x, release.x), std::max(press.y, release.y)};
}

CoordinateReading read_coordinates(std::string_view text) {
    if (text.empty()) return EmptyCoordinates{};
    const auto parts = split(text, "|");
    if (parts.size() != 4) return UnusableCoordinates{};
    const Rect r{text_to_int(parts[0]), text_to_int(parts[1]), text_to_int(parts[2]),
                 text_to_int(parts[3])};
    // 64-bit differences: the parts may sit anywhere in the 32-bit range.
    const auto w = std::int64_t{r.right} - r.left, h = std::int64_t{r.bottom} - r.top;
    if (w <= 0 || h <= 0 || w > kMaxCaptureSide || h > kMaxCaptureSide || w * h > kMaxPicturePixels)
        return UnusableCoordinates{};
    return r;
}

Text coordinate_text(const Rect& r) {
    Text out;
    for (int v : {r.left, r.top, r.right, r.bottom}) {
        if (!out.empty()) out += '|';
        char buffer[16];
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
    }
    return out;
}

Point magnifier_source(Point p) {
    return {centre_offset(p.x), centre_offset(p.y)};
}

Point magnifier_box_position(Point p, bool button_held, int drag_left, int canvas_width,
                             int canvas_height) {
    int left = p.x - 130, top = p.y - 130;
    if (button_held && p.x > drag_left) left = p.x + 30;
    if (p.x + 110 > canvas_width) left = p.x - 130;
    if (left < 0) left = p.x + 30;
    if (top < 0) top = p.y + 30;
    if (top + kMagnifierBox > canvas_height) top = p.y - 130;
    return {left, top};
}

std::vector<Rect> outline_bands(Point press, Point pointer) {
    const Rect r = ordered_rect(press, pointer);
    if (r.empty()) return {};
    const int band = 2;
    const int inner_top = std::min(r.top + band, r.bottom),
              inner_bottom = std::max(r.bottom - band, inner_top);
    return {
        {r.left, r.top, r.right, inner_top},                                   // top
        {r.left, inner_bottom, r.right, r.bottom},                             // bottom
        {r.left, inner_top, std::min(r.left + band, r.right), inner_bottom},   // left
        {std::max(r.right - band, r.left), inner_top, r.right, inner_bottom},  // right
    };
}

Picture magnifier_picture(const PixelView& snapshot, Point pointer,
                          const std::vector<Rect>& outline) {
    const Point origin = magnifier_source(pointer);
    Picture loupe{kLoupeSize, kLoupeSize,
                  std::vector<std::uint8_t>(kLoupeSize * kLoupeSize * 4, 0)};
    const Rect screen{0, 0, snapshot.width, snapshot.height};
    const Rect area =
        intersect({origin.x, origin.y, origin.x + kLoupeSize, origin.y + kLoupeSize}, screen);
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint8_t* src = snapshot.row(y) + area.left * snapshot.bytes_per_pixel();
        std::uint8_t* dst = &loupe.bgra[((y - origin.y) * kLoupeSize + (area.left - origin.x)) * 4];
        for (int x = area.left; x < area.right; ++x, src += snapshot.bytes_per_pixel(), dst += 4) {
            std::memcpy(dst, src, 3);
            dst[3] = 255;
        }
    }
    for (const Rect& band : outline) {
        const Rect part = intersect(band, area);
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                and_colour(&loupe.bgra[((y - origin.y) * kLoupeSize + (x - origin.x)) * 4],
                           kOutlineColour);
    }
    constexpr std::uint32_t kCrossColour = 0xFF0000;
    for (int i = 0; i < kLoupeSize; ++i) {
        and_colour(&loupe.bgra[(10 * kLoupeSize + i) * 4], kCrossColour);
        and_colour(&loupe.bgra[(i * kLoupeSize + 10) * 4], kCrossColour);
    }
    return loupe;
}

Bytes crop_bmp(const PixelView& snapshot, const Rect& rect) {
    const Rect screen{0, 0, snapshot.width, snapshot.height};
    const Rect inside = intersect(rect, screen);
    if (inside == rect) {
        // The usual case: a view into the snapshot, written out directly.
        const PixelView view{snapshot.row(rect.top) + rect.left * snapshot.bytes_per_pixel(),
                             rect.width(), rect.height(), snapshot.stride, snapshot.layout};
        return write_bmp(view);
    }
    Picture crop{rect.width(), rect.height(),
                 std::vector<std::uint8_t>(std::size_t(rect.width()) * rect.height() * 4, 0)};
    for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = inside.left; x < inside.right; ++x) {
            const std::uint8_t* src = snapshot.row(y) + x * snapshot.bytes_per_pixel();
            std::memcpy(
                &crop.bgra[(std::size_t(y - rect.top) * rect.width() + (x - rect.left)) * 4], src,
                3);
        }
    }
    return write_bmp(crop.view());
}

}  // namespace textorin
