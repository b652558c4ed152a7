// Image decoding and re-encoding on any bytes, into each of the five formats; a picture that
// decodes keeps its size through a BMP.
#include "capture/bmp_file.h"
#include "capture/reencode_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const textorin::Bytes source(data, data + size);
    textorin::Bytes bmp;
    if (!textorin::reencode_image(source, textorin::kBmp, {}, &bmp)) return 0;
    textorin::Picture first, second;
    if (!textorin::decode_bmp(bmp, first)) __builtin_trap();
    if (first.width * first.height > 1 << 20) return 0;  // keep the runs quick
    for (int format = 2; format <= 5; ++format) {
        textorin::Bytes out;
        if (!textorin::reencode_image(bmp, format, {}, &out)) __builtin_trap();
        textorin::Bytes back;
        if (!textorin::reencode_image(out, textorin::kBmp, {}, &back) ||
            !textorin::decode_bmp(back, second) || second.width != first.width ||
            second.height != first.height)
            __builtin_trap();
    }
    return 0;
}
