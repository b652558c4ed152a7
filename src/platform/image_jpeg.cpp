// JPEG through TurboJPEG (the 2.1 tj* interface Debian ships).
#include <turbojpeg.h>

#include <memory>

#include "platform/image.h"

namespace textorin {
namespace {

struct TjDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

}  // namespace

bool decode_jpeg(ByteSpan file, Picture& out) {
    TjHandle tj(tjInitDecompress());
    if (!tj || file.empty()) return false;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.get(), file.data(), static_cast<unsigned long>(file.size()), &width,
                            &height, &subsampling, &colorspace) != 0 ||
        !picture_size_ok(width, height))
        return false;
    Picture picture{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
    if (tjDecompress2(tj.get(), file.data(), static_cast<unsigned long>(file.size()),
                      picture.bgra.data(), width, width * 4, height, TJPF_BGRA, 0) != 0)
        return false;
    out = std::move(picture);
    return true;
}

bool encode_jpeg(const PixelView& pixels, Bytes& out) {
    TjHandle tj(tjInitCompress());
    if (!tj || !picture_size_ok(pixels.width, pixels.height)) return false;
    // TurboJPEG takes a positive pitch from the first row in memory, and a flag for bottom-up.
    const bool bottom_up = pixels.stride < 0;
    const std::uint8_t* first = pixels.first_in_memory();
    const int pitch = static_cast<int>(bottom_up ? -pixels.stride : pixels.stride);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj.get(), first, pixels.width, pitch, pixels.height,
                               pixels.layout == PixelLayout::Bgr ? TJPF_BGR : TJPF_BGRA, &jpeg,
                               &size, TJSAMP_420, 75, bottom_up ? TJFLAG_BOTTOMUP : 0);
    if (rc == 0) out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    return rc == 0;
}

}  // namespace textorin
