// GIF through giflib: the first frame for decoding; for encoding an exact palette when the
// picture has at most 256 colours (a screen crop usually does) and giflib's median-cut
// quantiser otherwise.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/image.h"

namespace textorin {
namespace {

struct Reader {
    ByteSpan data;
    std::size_t pos = 0;
};

int read_memory(GifFileType* gif, GifByteType* buffer, int length) {
    auto& r = *static_cast<Reader*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(length), r.data.size() - r.pos);
    if (n) std::memcpy(buffer, r.data.data() + r.pos, n);
    r.pos += n;
    return static_cast<int>(n);
}

int write_memory(GifFileType* gif, const GifByteType* data, int length) {
    auto& out = *static_cast<Bytes*>(gif->UserData);
    out.insert(out.end(), data, data + length);
    return length;
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
struct EncoderCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Skips an extension, taking the transparent index from a graphic control block.
bool read_extension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
        transparent = block[4];
    while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    return true;
}

// Paints the frame whose descriptor was just read onto the logical screen.
bool read_frame(GifFileType* gif, int transparent, Picture& screen) {
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !picture_size_ok(desc.Width, desc.Height)) return false;
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    // Interlaced frames arrive in four passes over the rows.
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? kStart[pass] : 0,
                  step = desc.Interlace ? kStep[pass] : 1;
        for (int y = start; y < desc.Height; y += step) {
            if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR) return false;
            const int sy = desc.Top + y;
            if (sy < 0 || sy >= screen.height) continue;
            for (int x = 0; x < desc.Width; ++x) {
                const int sx = desc.Left + x;
                if (sx < 0 || sx >= screen.width || line[x] == transparent) continue;
                const GifColorType c =
                    line[x] < map->ColorCount ? map->Colors[line[x]] : GifColorType{};
                std::uint8_t* p = &screen.bgra[(std::size_t(sy) * screen.width + sx) * 4];
                p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red, p[3] = 255;
            }
        }
    }
    return true;
}

constexpr std::uint32_t pack(const std::uint8_t* p) {
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// Maps the picture onto at most `limit` colours: exactly when it has no more, else by giflib's
// median cut. Fills `indexes` (one a pixel) and `colors`.
bool build_palette(const PixelView& v, int limit, std::vector<GifByteType>& indexes,
                   std::vector<GifColorType>& colors) {
    const std::size_t n = std::size_t(v.width) * v.height;
    indexes.resize(n);
    std::unordered_map<std::uint32_t, GifByteType> exact;
    bool fits = true;
    for (int y = 0; y < v.height && fits; ++y) {
        const std::uint8_t* p = v.row(y);
        for (int x = 0; x < v.width; ++x, p += v.bytes_per_pixel()) {
            auto [it, added] = exact.try_emplace(pack(p), static_cast<GifByteType>(exact.size()));
            if (added && static_cast<int>(exact.size()) > limit) {
                fits = false;
                break;
            }
            indexes[std::size_t(y) * v.width + x] = it->second;
        }
    }
    if (fits) {
        colors.assign(exact.size(), GifColorType{});
        for (auto [rgb, index] : exact)
            colors[index] = {GifByteType(rgb >> 16), GifByteType(rgb >> 8), GifByteType(rgb)};
        return true;
    }
    std::vector<GifByteType> red(n), green(n), blue(n);
    for (int y = 0; y < v.height; ++y) {
        const std::uint8_t* p = v.row(y);
        for (int x = 0; x < v.width; ++x, p += v.bytes_per_pixel()) {
            const std::size_t i = std::size_t(y) * v.width + x;
            blue[i] = p[0], green[i] = p[1], red[i] = p[2];
        }
    }
    int size = limit;
    colors.assign(256, GifColorType{});
    if (GifQuantizeBuffer(static_cast<unsigned>(v.width), static_cast<unsigned>(v.height), &size,
                          red.data(), green.data(), blue.data(), indexes.data(),
                          colors.data()) == GIF_ERROR)
        return false;
    colors.resize(static_cast<std::size_t>(size));
    return true;
}

}  // namespace

bool decode_gif(ByteSpan file, Picture& out) {
    Reader reader{file};
    int error = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&reader, read_memory, &error));
    if (!gif || !picture_size_ok(gif->SWidth, gif->SHeight)) return false;
    Picture screen{gif->SWidth, gif->SHeight,
                   std::vector<std::uint8_t>(std::size_t(gif->SWidth) * gif->SHeight * 4)};
    int transparent = -1;
    for (GifRecordType type;;) {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return false;
        if (type == EXTENSION_RECORD_TYPE) {
            if (!read_extension(gif.get(), transparent)) return false;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR ||
                !read_frame(gif.get(), transparent, screen))
                return false;
            out = std::move(screen);
            return true;
        } else if (type == TERMINATE_RECORD_TYPE) {
            return false;  // no frame at all
        }
    }
}

bool encode_gif(const PixelView& v, Bytes& out) {
    if (!picture_size_ok(v.width, v.height)) return false;
    // Pixels less than half opaque become the transparent colour, the palette's last entry.
    bool transparency = false;
    if (v.has_alpha()) {
        for (int y = 0; y < v.height && !transparency; ++y)
            for (int x = 0; x < v.width && !transparency; ++x)
                transparency = v.row(y)[x * 4 + 3] < 128;
    }
    std::vector<GifByteType> indexes;
    std::vector<GifColorType> colors;
    if (!build_palette(v, transparency ? 255 : 256, indexes, colors)) return false;
    int transparent_index = -1;
    if (transparency) {
        transparent_index = static_cast<int>(colors.size());
        colors.push_back({});
        for (int y = 0; y < v.height; ++y)
            for (int x = 0; x < v.width; ++x)
                if (v.row(y)[x * 4 + 3] < 128)
                    indexes[std::size_t(y) * v.width + x] =
                        static_cast<GifByteType>(transparent_index);
    }
    int map_size = 2;  // a GIF colour table has a power-of-two size
    while (map_size < static_cast<int>(colors.size()))
        map_size *= 2;
    colors.resize(static_cast<std::size_t>(map_size));
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(map_size, colors.data()));

    Bytes encoded;
    int error = 0;
    std::unique_ptr<GifFileType, EncoderCloser> gif(EGifOpen(&encoded, write_memory, &error));
    if (!gif || !map) return false;
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), v.width, v.height, 8, 0, map.get()) == GIF_ERROR) return false;
    if (transparent_index >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, transparent_index};
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                             extension) == GIF_ERROR)
            return false;
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, v.width, v.height, false, nullptr) == GIF_ERROR)
        return false;
    for (int y = 0; y < v.height; ++y)
        if (EGifPutLine(gif.get(), &indexes[std::size_t(y) * v.width], v.width) == GIF_ERROR)
            return false;
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) return false;
    out = std::move(encoded);
    return true;
}

}  // namespace textorin
