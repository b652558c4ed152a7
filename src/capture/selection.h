// The geometry of a capture, free of any window: ordering the dragged rectangle, reading typed
// coordinates, placing the magnifier, and the pixels of the outline, the magnifier and the crop.
// All coordinates are physical screen pixels, (0, 0) the primary screen's top-left corner.
#pragma once

#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/image.h"

namespace textorin {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The rectangle between the press point and the release point, ordered.
Rect ordered_rect(Point press, Point release);

// The typed coordinates "left|top|right|bottom": empty text, unusable text, or the rectangle.
// Parts are read by the text-to-integer rule (full-width forms included); the rectangle needs
// left < right and top < bottom, at most 16384 pixels each way and 100 megapixels in all.
struct EmptyCoordinates {};
struct UnusableCoordinates {};
using CoordinateReading = std::variant<EmptyCoordinates, UnusableCoordinates, Rect>;
CoordinateReading read_coordinates(std::string_view text);
inline constexpr int kMaxCaptureSide = 16384;

// "left|top|right|bottom" in decimal, as the coordinate box keeps it.
Text coordinate_text(const Rect& rect);

// The magnifier copies the 21 x 21 pixels whose top-left corner is this, around the pointer.
inline constexpr int kLoupeSize = 21;
Point magnifier_source(Point pointer);

// Where the 100 x 100 magnifier box goes for the pointer on a canvas of the given size.
inline constexpr int kMagnifierBox = 100;
Point magnifier_box_position(Point pointer, bool button_held, int drag_left, int canvas_width,
                             int canvas_height);

// The outline of a rectangle being dragged: a 2-pixel band along the inside of the rectangle
// from the press point to the pointer, drawn by ANDing each pixel with blue.
inline constexpr std::uint32_t kOutlineColour = 0x0000FF;  // 0xRRGGBB
std::vector<Rect> outline_bands(Point press, Point pointer);

// The magnifier's source picture: the 21 x 21 pixels around the pointer as the canvas shows
// them (snapshot and outline), with a cross through its middle ANDed with red. Pixels outside
// the snapshot are black. BGRA, top-down.
Picture magnifier_picture(const PixelView& snapshot, Point pointer,
                          const std::vector<Rect>& outline);

// The crop as a 24-bit BMP file; pixels outside the snapshot are black.
Bytes crop_bmp(const PixelView& snapshot, const Rect& rect);

}  // namespace textorin
