#include "capture/selection.h"

#include <gtest/gtest.h>

#include "capture/bmp_file.h"
#include "platform/codepage.h"

namespace textorin {
namespace {

// A snapshot whose every pixel tells its place: blue = x, green = y, red = 7.
Picture screen(int w = 200, int h = 150) {
    Picture p{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 4)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* q = &p.bgra[(std::size_t(y) * w + x) * 4];
            q[0] = static_cast<std::uint8_t>(x), q[1] = static_cast<std::uint8_t>(y), q[2] = 7,
            q[3] = 255;
        }
    return p;
}

TEST(Selection, ReleaseOrdersTheRectangle) {
    EXPECT_EQ(ordered_rect({10, 20}, {310, 220}), (Rect{10, 20, 310, 220}));
    EXPECT_EQ(ordered_rect({310, 220}, {10, 20}), (Rect{10, 20, 310, 220}));
    EXPECT_EQ(ordered_rect({310, 20}, {10, 220}), (Rect{10, 20, 310, 220}));
    EXPECT_TRUE(ordered_rect({5, 5}, {5, 9}).empty());
    EXPECT_EQ(coordinate_text({10, 20, 310, 220}), "10|20|310|220");
    EXPECT_EQ(coordinate_text({-5, 0, 3, 4}), "-5|0|3|4");
}

TEST(Selection, TypedCoordinates) {
    struct Case {
        std::string text;
        std::variant<EmptyCoordinates, UnusableCoordinates, Rect> reading;
    };
    const Case cases[] = {
        {"", EmptyCoordinates{}},
        {"100|100|1000|200", Rect{100, 100, 1000, 200}},
        {"abc|0|10|10", Rect{0, 0, 10, 10}},
        {gbk("１０|２０|３０|４０"), Rect{10, 20, 30, 40}},
        {" 1|-2|3|4x", Rect{1, -2, 3, 4}},
        {"100|100|100|200", UnusableCoordinates{}},
        {"100|200|300|100", UnusableCoordinates{}},
        {"1|2|3", UnusableCoordinates{}},
        {"1|2|3|4|5", UnusableCoordinates{}},
        {"1|2|3|4|", Rect{1, 2, 3, 4}},  // a final separator adds no part
        {"0|0|99999|99999", UnusableCoordinates{}},
        {"0|0|16385|10", UnusableCoordinates{}},
        {"0|0|16384|6103", Rect{0, 0, 16384, 6103}},
        {"0|0|16384|16384", UnusableCoordinates{}},  // over 100 megapixels
        {"-2147483648|0|2147483647|1", UnusableCoordinates{}},
    };
    for (const auto& c : cases) {
        const auto reading = read_coordinates(c.text);
        ASSERT_EQ(reading.index(), c.reading.index()) << c.text;
        if (const Rect* r = std::get_if<Rect>(&reading)) {
            EXPECT_EQ(*r, std::get<Rect>(c.reading)) << c.text;
        }
    }
}

TEST(Selection, MagnifierPlacement) {
    const int w = 1920, h = 1080;
    struct Case {
        const char* name;
        Point pointer;
        bool held;
        int drag_left;
        Point box;
    };
    const Case cases[] = {
        {"above left", {500, 500}, false, 0, {370, 370}},
        {"dragging right", {500, 500}, true, 100, {530, 370}},
        {"dragging left", {500, 500}, true, 600, {370, 370}},
        {"near the right edge", {1850, 500}, true, 100, {1720, 370}},
        {"near the left edge", {50, 500}, false, 0, {80, 370}},
        {"near the top", {500, 60}, false, 0, {370, 90}},
        {"near the bottom-left", {50, 1040}, false, 0, {80, 910}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(magnifier_box_position(c.pointer, c.held, c.drag_left, w, h), c.box) << c.name;
    EXPECT_EQ(magnifier_source({11, 11}), (Point{0, 0}));
    EXPECT_EQ(magnifier_source({5, 100}), (Point{-5, 89}));
    EXPECT_EQ(magnifier_source({0, 10}), (Point{-10, 0}));
}

TEST(Selection, TheCropIsTheRectangleWithoutItsOutline) {
    const Picture snapshot = screen();
    Picture crop;
    ASSERT_TRUE(decode_bmp(crop_bmp(snapshot.view(), {10, 20, 110, 120}), crop));
    ASSERT_EQ(crop.width, 100);
    ASSERT_EQ(crop.height, 100);
    EXPECT_EQ(crop.bgra[0], 10);  // the top-left pixel is screen pixel (10, 20)
    EXPECT_EQ(crop.bgra[1], 20);
    const std::size_t last = (99 * 100 + 99) * 4;
    EXPECT_EQ(crop.bgra[last], 109);  // the release point (110, 120) is not in it
    EXPECT_EQ(crop.bgra[last + 1], 119);

    // Beyond the snapshot the crop is black.
    ASSERT_TRUE(decode_bmp(crop_bmp(snapshot.view(), {190, 140, 210, 160}), crop));
    EXPECT_EQ(crop.bgra[0], 190);
    EXPECT_EQ(crop.bgra[((19 * 20) + 19) * 4 + 2], 0);
}

TEST(Selection, MagnifierShowsTheOutlineAndARedCross) {
    const Picture snapshot = screen();
    const auto bands = outline_bands({50, 50}, {100, 80});
    const Picture loupe = magnifier_picture(snapshot.view(), {100, 60}, bands);
    ASSERT_EQ(loupe.width, kLoupeSize);
    auto pixel = [&](int x, int y) { return &loupe.bgra[(y * kLoupeSize + x) * 4]; };
    // Source origin (89, 49): loupe (0, 0) is screen (89, 49), inside the outline's top band
    // (rows 50 and 51), whose pixels keep only their blue.
    EXPECT_EQ(pixel(0, 0)[0], 89);
    EXPECT_EQ(pixel(0, 0)[1], 49);
    EXPECT_EQ(pixel(0, 1)[0], 89);  // row 50: blue kept, green and red cleared
    EXPECT_EQ(pixel(0, 1)[1], 0);
    EXPECT_EQ(pixel(0, 1)[2], 0);
    // The cross keeps only red (screen red is 7); where it crosses the blue outline nothing is
    // left.
    EXPECT_EQ(pixel(3, 10)[0], 0);
    EXPECT_EQ(pixel(3, 10)[1], 0);
    EXPECT_EQ(pixel(3, 10)[2], 7);
    EXPECT_EQ(pixel(10, 5)[0], 0);
    EXPECT_EQ(pixel(10, 5)[2], 0);
    // Pixel (12, 5) is screen (101, 54): right of the outline's right band (98, 99).
    EXPECT_EQ(pixel(12, 5)[1], 54);
    EXPECT_EQ(pixel(9, 5)[1], 0);  // screen (98, 54) is in the right band
    EXPECT_EQ(pixel(9, 5)[0], 98);
    // Near the corner the part beyond the screen is black.
    const Picture corner = magnifier_picture(snapshot.view(), {2, 2}, {});
    EXPECT_EQ(corner.bgra[0], 0);
    EXPECT_EQ(corner.bgra[3], 0);
}

}  // namespace
}  // namespace textorin
