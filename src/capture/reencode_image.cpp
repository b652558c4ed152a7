#include "capture/reencode_image.h"

#include <cstring>
#include <optional>

#include "capture/bmp_file.h"
#include "platform/files.h"
#include "text/conventions.h"

namespace textorin {
namespace {

struct Format {
    std::string_view extension;
    bool (*encode)(const PixelView&, Bytes&);
};

bool encode_bmp(const PixelView& pixels, Bytes& out) {
    out = write_bmp(pixels);
    return true;
}

std::optional<Format> format_of(int index) {
    switch (index) {
        case kBmp:
            return Format{".bmp", encode_bmp};
        case kJpeg:
            return Format{".jpg", encode_jpeg};
        case kGif:
            return Format{".gif", encode_gif};
        case kTiff:
            return Format{".tiff", encode_tiff};
        case kPng:
            return Format{".png", encode_png};
        default:
            return std::nullopt;
    }
}

bool starts_with(ByteSpan b, std::string_view magic) {
    return b.size() >= magic.size() && std::memcmp(b.data(), magic.data(), magic.size()) == 0;
}

bool decode_any(ByteSpan file, Picture& out) {
    if (starts_with(file, "BM")) return decode_bmp(file, out);
    if (starts_with(file, "\xFF\xD8")) return decode_jpeg(file, out);
    if (starts_with(file, "\x89PNG")) return decode_png(file, out);
    if (starts_with(file, "GIF8")) return decode_gif(file, out);
    if (starts_with(file, {"II*\0", 4}) || starts_with(file, {"MM\0*", 4}))
        return decode_tiff(file, out);
    return false;
}

// Composites every pixel over white and makes it opaque.
void flatten(Picture& picture) {
    for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
        std::uint8_t* p = &picture.bgra[i];
        const unsigned alpha = p[3];
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<std::uint8_t>((p[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        p[3] = 255;
    }
}

void save(std::string_view save_path, std::string_view extension, const Bytes& bytes) {
    if (trim(save_path).empty()) return;
    Text name(save_path);
    const bool has_extension =
        name.size() >= extension.size() &&
        lower_ascii(std::string_view(name).substr(name.size() - extension.size())) == extension;
    if (!has_extension) name += extension;
    write_file(fs_path(name), bytes);  // a failed write changes nothing else
}

}  // namespace

bool reencode_image(const Bytes& source, int format_index, std::string_view save_path,
                    Bytes* output, bool flatten_on_white) {
    if (source.size() < 3) return false;
    const auto format = format_of(format_index);
    if (!format) return false;

    // A capture is a 24-bit BMP: its pixels are encoded straight from the file, without a copy.
    Picture decoded;
    std::optional<PixelView> pixels = bmp_pixels(source);
    if (!pixels) {
        if (!decode_any(source, decoded)) return false;
        if (flatten_on_white) flatten(decoded);
        pixels = decoded.view();
    }

    Bytes encoded;
    if (!format->encode(*pixels, encoded) || encoded.empty()) return false;
    save(save_path, format->extension, encoded);
    if (output) *output = std::move(encoded);
    return true;
}

}  // namespace textorin
