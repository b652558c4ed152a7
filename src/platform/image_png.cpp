// PNG through libpng's simplified interface, which keeps libpng's longjmp error handling
// inside libpng instead of jumping over C++ frames.
#include <png.h>

#include <cstring>

#include "platform/image.h"

namespace textorin {

bool decode_png(ByteSpan file, Picture& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    if (!picture_size_ok(image.width, image.height)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height),
                    std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr)) return false;
    out = std::move(picture);
    return true;
}

bool encode_png(const PixelView& pixels, Bytes& out) {
    if (!picture_size_ok(pixels.width, pixels.height)) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixels.width);
    image.height = static_cast<png_uint_32>(pixels.height);
    image.format = pixels.layout == PixelLayout::Bgr ? PNG_FORMAT_BGR : PNG_FORMAT_BGRA;
    // With 8-bit channels a component is a byte, so the row stride in components is the stride
    // in bytes; when it is negative libpng starts from the buffer's end (bottom-up rows).
    const auto stride = static_cast<png_int_32>(pixels.stride);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.first_in_memory(), stride,
                                   nullptr))
        return false;
    Bytes encoded(size);
    if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.first_in_memory(),
                                   stride, nullptr))
        return false;
    encoded.resize(size);
    out = std::move(encoded);
    return true;
}

}  // namespace textorin
