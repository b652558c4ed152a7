// Re-encoding a screen-sized capture (24-bit BMP) to JPEG, against TurboJPEG compressing the
// same pixels at the same settings.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <random>

#include "capture/bmp_file.h"
#include "capture/reencode_image.h"

namespace {

using textorin::Bytes;

// A realistic screen: a flat desktop, windows with dark text on white, and a photo region.
Bytes screen_bmp(int width, int height) {
    textorin::Picture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
    std::mt19937 rng(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* q = &p.bgra[(std::size_t(y) * width + x) * 4];
            q[3] = 255;
            if (x < width / 2) {  // a text window: glyph-like strokes on white, 20-pixel lines
                const bool ink =
                    (y % 20) > 4 && (y % 20) < 16 && ((x * 7 + y * 3) % 11 < 3) && (x / 9) % 6 != 5;
                q[0] = q[1] = q[2] = ink ? 30 : 250;
            } else if (y < height / 2) {  // flat desktop
                q[0] = 160, q[1] = 100, q[2] = 40;
            } else {  // photo: smooth gradients with noise
                const int n = static_cast<int>(rng() % 24);
                q[0] = static_cast<std::uint8_t>((x / 8 + n) & 255);
                q[1] = static_cast<std::uint8_t>((y / 5 + x / 13 + n) & 255);
                q[2] = static_cast<std::uint8_t>((200 - y / 9 + n) & 255);
            }
        }
    }
    return textorin::write_bmp(p.view());
}

void BM_ReencodeImageToJpeg(benchmark::State& state) {
    const Bytes bmp =
        screen_bmp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        Bytes out;
        textorin::reencode_image(bmp, textorin::kJpeg, {}, &out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_ReencodeImageToJpeg)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

void BM_TurboJpegCompress(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const Bytes bmp = screen_bmp(width, height);
    const int pitch = (width * 3 + 3) / 4 * 4;
    tjhandle tj = tjInitCompress();
    for (auto _ : state) {
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        tjCompress2(tj, bmp.data() + 54, width, pitch, height, TJPF_BGR, &jpeg, &size, TJSAMP_420,
                    75, TJFLAG_BOTTOMUP);
        benchmark::DoNotOptimize(jpeg);
        tjFree(jpeg);
    }
    tjDestroy(tj);
}
BENCHMARK(BM_TurboJpegCompress)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
