#include "capture/reencode_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "capture/bmp_file.h"
#include "platform/files.h"

namespace textorin {
namespace {

namespace fs = std::filesystem;

// A small screen-like picture of few colours: flat areas, stripes and a ramp, 37 pixels wide so
// that rows need padding.
Picture test_picture(int width = 37, int height = 21) {
    Picture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* q = &p.bgra[(std::size_t(y) * width + x) * 4];
            q[0] = static_cast<std::uint8_t>(x < width / 2 ? 200 : 90);
            q[1] = static_cast<std::uint8_t>(y % 4 < 2 ? 30 : 220);
            q[2] = static_cast<std::uint8_t>((x / 6 + y / 6) % 8 * 30);
            q[3] = 255;
        }
    return p;
}

Bytes test_bmp() {
    return write_bmp(test_picture().view());
}

Picture decoded(const Bytes& file) {
    Bytes bmp;
    EXPECT_TRUE(reencode_image(file, kBmp, {}, &bmp));
    Picture picture;
    EXPECT_TRUE(decode_bmp(bmp, picture));
    return picture;
}

double mean_difference(const Picture& a, const Picture& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.bgra.size(); ++i)
        sum += std::abs(int(a.bgra[i]) - int(b.bgra[i]));
    return sum / double(a.bgra.size());
}

TEST(BmpFile, WritesTheCaptureFormat) {
    const Bytes bmp = test_bmp();
    const std::size_t stride = (37 * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), 54 + stride * 21);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[10], 54);
    EXPECT_EQ(bmp[14], 40);
    EXPECT_EQ(bmp[22], 21);  // positive height: bottom-up rows
    EXPECT_EQ(bmp[28], 24);
    // The first row in the file is the picture's bottom row, blue-green-red.
    const Picture p = test_picture();
    EXPECT_EQ(bmp[54], p.bgra[(20 * 37) * 4]);
    EXPECT_EQ(bmp[56], p.bgra[(20 * 37) * 4 + 2]);
}

TEST(BmpFile, ReadsTopDownAnd32BitVariants) {
    const Picture p = test_picture();
    Bytes top_down = write_bmp(p.view());
    // Rewrite as a 32-bit top-down file.
    const std::size_t image = std::size_t(37) * 21 * 4;
    Bytes file(54 + image);
    std::copy(top_down.begin(), top_down.begin() + 54, file.begin());
    const std::int32_t negative = -21;
    std::memcpy(&file[22], &negative, 4);
    file[28] = 32;
    std::copy(p.bgra.begin(), p.bgra.end(), file.begin() + 54);
    for (std::size_t i = 54 + 3; i < file.size(); i += 4)
        file[i] = 0;  // padding, not alpha
    Picture read;
    ASSERT_TRUE(decode_bmp(file, read));
    EXPECT_EQ(read.bgra, p.bgra);
}

TEST(ReencodeImage, EveryFormatRoundTrips) {
    const Picture original = test_picture();
    struct Case {
        int format;
        std::string magic;
        bool lossless;
    };
    const Case cases[] = {
        {kBmp, "BM", true},   {kJpeg, "\xFF\xD8", false}, {kGif, "GIF89a", true},
        {kTiff, "II*", true}, {kPng, "\x89PNG", true},
    };
    for (const auto& c : cases) {
        Bytes out;
        ASSERT_TRUE(reencode_image(test_bmp(), c.format, {}, &out)) << c.format;
        ASSERT_GE(out.size(), c.magic.size());
        EXPECT_EQ(std::memcmp(out.data(), c.magic.data(), c.magic.size()), 0) << c.format;
        const Picture back = decoded(out);
        ASSERT_EQ(back.width, original.width) << c.format;
        ASSERT_EQ(back.height, original.height) << c.format;
        if (c.lossless) {
            EXPECT_EQ(back.bgra, original.bgra) << c.format;
        } else {
            // Stripes two pixels apart are hard on 4:2:0 JPEG; a swapped channel or a flipped
            // picture would differ by far more.
            EXPECT_LT(mean_difference(back, original), 30.0) << c.format;
        }
        // And back from that format into each of the others.
        for (const auto& to : cases)
            EXPECT_TRUE(reencode_image(out, to.format, {}, nullptr)) << c.format;
    }
}

TEST(ReencodeImage, GifOfManyColoursIsQuantised) {
    Picture rich{64, 64, std::vector<std::uint8_t>(64 * 64 * 4)};
    for (std::size_t i = 0; i < rich.bgra.size(); i += 4) {
        rich.bgra[i] = static_cast<std::uint8_t>(i * 7),
        rich.bgra[i + 1] = static_cast<std::uint8_t>(i / 64);
        rich.bgra[i + 2] = static_cast<std::uint8_t>(i / 16), rich.bgra[i + 3] = 255;
    }
    Bytes gif;
    ASSERT_TRUE(reencode_image(write_bmp(rich.view()), kGif, {}, &gif));
    EXPECT_LT(mean_difference(decoded(gif), rich), 12.0);
}

TEST(ReencodeImage, RefusalsLeaveTheOutputUntouched) {
    const Bytes marker = {1, 2, 3, 4};
    Bytes truncated_jpeg;
    ASSERT_TRUE(reencode_image(test_bmp(), kJpeg, {}, &truncated_jpeg));
    truncated_jpeg.resize(40);
    Bytes bad_crc_png;
    ASSERT_TRUE(reencode_image(test_bmp(), kPng, {}, &bad_crc_png));
    bad_crc_png[40] ^= 0xFF;
    Bytes huge_bmp = test_bmp();
    Bytes truncated_bmp(huge_bmp.begin(), huge_bmp.begin() + 100);
    const std::uint32_t side = 100000;
    std::memcpy(&huge_bmp[18], &side, 4);
    std::memcpy(&huge_bmp[22], &side, 4);
    Bytes huge_gif = {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0};

    struct Case {
        const char* name;
        Bytes source;
        int format;
    };
    const Case cases[] = {
        {"format 0", test_bmp(), 0},
        {"format 6", test_bmp(), 6},
        {"empty", {}, kJpeg},
        {"two bytes", {'B', 'M'}, kJpeg},
        {"not an image", {'h', 'e', 'l', 'l', 'o'}, kJpeg},
        {"truncated jpeg", truncated_jpeg, kPng},
        {"png with a bad crc", bad_crc_png, kJpeg},
        {"bmp of 100000 x 100000", huge_bmp, kJpeg},
        {"gif of 65535 x 65535", huge_gif, kJpeg},
        {"truncated bmp", truncated_bmp, kJpeg},
    };
    for (const auto& c : cases) {
        Bytes out = marker;
        EXPECT_FALSE(reencode_image(c.source, c.format, {}, &out)) << c.name;
        EXPECT_EQ(out, marker) << c.name;
    }
}

TEST(ReencodeImage, SourceAndOutputMayBeTheSameBuffer) {
    Bytes capture = test_bmp();
    ASSERT_TRUE(reencode_image(capture, kJpeg, {}, &capture));
    EXPECT_EQ(capture[0], 0xFF);
    EXPECT_EQ(capture[1], 0xD8);
    EXPECT_EQ(decoded(capture).width, 37);
}

TEST(ReencodeImage, TransparencyIsFlattenedOnWhite) {
    Picture clear{2, 1, {10, 20, 30, 0, 10, 20, 30, 255}};
    Bytes png;
    ASSERT_TRUE(encode_png(clear.view(), png));
    Bytes flat;
    ASSERT_TRUE(reencode_image(png, kPng, {}, &flat, true));
    Picture back;
    ASSERT_TRUE(decode_png(flat, back));
    EXPECT_EQ(back.bgra, (std::vector<std::uint8_t>{255, 255, 255, 255, 10, 20, 30, 255}));
}

TEST(ReencodeImage, SavePathNamingRule) {
    const fs::path dir = fs::temp_directory_path() / ("textorin-save-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string base = dir.string() + "/";
    const std::pair<std::string, std::string> cases[] = {
        {"shot", "shot.jpg"},
        {"shot.JPG", "shot.JPG"},
        {"shot.png", "shot.png.jpg"},
        {" padded ", " padded .jpg"},
    };
    for (const auto& [path, written] : cases) {
        ASSERT_TRUE(reencode_image(test_bmp(), kJpeg, base + path, nullptr)) << path;
        EXPECT_TRUE(fs::exists(dir / written)) << path;
    }
    const auto files = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    EXPECT_EQ(files, 4);

    ASSERT_TRUE(reencode_image(test_bmp(), kJpeg, "   ", nullptr));
    Bytes out;
    EXPECT_TRUE(reencode_image(test_bmp(), kJpeg, base + "missing/dir/shot", &out));
    EXPECT_FALSE(out.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace textorin
