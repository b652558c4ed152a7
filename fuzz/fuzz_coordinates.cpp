// Typed coordinates and the crop they ask for, on any text.
#include <string_view>

#include "capture/bmp_file.h"
#include "capture/selection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto reading =
        textorin::read_coordinates(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto* rect = std::get_if<textorin::Rect>(&reading);
    if (!rect) return 0;
    if (rect->width() <= 0 || rect->height() <= 0 || rect->width() > textorin::kMaxCaptureSide ||
        rect->height() > textorin::kMaxCaptureSide)
        __builtin_trap();
    if (std::int64_t{rect->width()} * rect->height() > 4'000'000) return 0;  // keep the runs quick
    static const textorin::Picture screen{64, 48, std::vector<std::uint8_t>(64 * 48 * 4, 90)};
    const auto bmp = textorin::crop_bmp(screen.view(), *rect);
    textorin::Picture crop;
    if (!textorin::decode_bmp(bmp, crop) || crop.width != rect->width() ||
        crop.height != rect->height())
        __builtin_trap();
    return 0;
}
