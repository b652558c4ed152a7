// TIFF through libtiff over memory. Errors are kept quiet per handle (no output on stderr), and
// one allocation may not exceed what the largest accepted picture needs.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/image.h"

namespace textorin {
namespace {

// A file in memory: read from the source bytes, or written into `written`.
struct MemoryFile {
    ByteSpan source;
    Bytes written;
    bool writing = false;
    toff_t pos = 0;

    std::size_t size() const { return writing ? written.size() : source.size(); }
    const std::uint8_t* data() const { return writing ? written.data() : source.data(); }
};

tmsize_t read_proc(thandle_t h, void* buffer, tmsize_t size) {
    auto& f = *static_cast<MemoryFile*>(h);
    if (size < 0 || f.pos >= f.size()) return 0;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(size), f.size() - f.pos);
    std::memcpy(buffer, f.data() + f.pos, n);
    f.pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t write_proc(thandle_t h, void* buffer, tmsize_t size) {
    auto& f = *static_cast<MemoryFile*>(h);
    if (!f.writing || size < 0) return -1;
    const std::size_t end = f.pos + static_cast<std::size_t>(size);
    if (end > f.written.size()) f.written.resize(end);
    std::memcpy(f.written.data() + f.pos, buffer, static_cast<std::size_t>(size));
    f.pos = end;
    return size;
}

toff_t seek_proc(thandle_t h, toff_t offset, int whence) {
    auto& f = *static_cast<MemoryFile*>(h);
    const toff_t base = whence == SEEK_CUR ? f.pos : whence == SEEK_END ? f.size() : 0;
    const toff_t pos = base + offset;
    if (pos > (toff_t{1} << 32)) return static_cast<toff_t>(-1);  // a TIFF file is below 4 GiB
    f.pos = pos;
    return pos;
}

int close_proc(thandle_t) {
    return 0;
}
toff_t size_proc(thandle_t h) {
    return static_cast<MemoryFile*>(h)->size();
}
int map_proc(thandle_t, void**, toff_t*) {
    return 0;
}
void unmap_proc(thandle_t, void*, toff_t) {}
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle open_memory(MemoryFile& file, const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxPicturePixels * 4);
    TiffHandle tif(TIFFClientOpenExt("memory", mode, &file, read_proc, write_proc, seek_proc,
                                     close_proc, size_proc, map_proc, unmap_proc, options));
    TIFFOpenOptionsFree(options);
    return tif;
}

}  // namespace

bool decode_tiff(ByteSpan file, Picture& out) {
    MemoryFile memory{file};
    TiffHandle tif = open_memory(memory, "rm");
    if (!tif) return false;
    std::uint32_t width = 0, height = 0;
    if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) || !picture_size_ok(width, height))
        return false;
    std::vector<std::uint32_t> raster(std::size_t(width) * height);
    if (!TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0))
        return false;
    Picture picture{static_cast<int>(width), static_cast<int>(height),
                    std::vector<std::uint8_t>(raster.size() * 4)};
    for (std::size_t i = 0; i < raster.size(); ++i) {
        std::uint8_t* p = &picture.bgra[i * 4];
        p[0] = static_cast<std::uint8_t>(TIFFGetB(raster[i]));
        p[1] = static_cast<std::uint8_t>(TIFFGetG(raster[i]));
        p[2] = static_cast<std::uint8_t>(TIFFGetR(raster[i]));
        p[3] = static_cast<std::uint8_t>(TIFFGetA(raster[i]));
    }
    out = std::move(picture);
    return true;
}

bool encode_tiff(const PixelView& v, Bytes& out) {
    if (!picture_size_ok(v.width, v.height)) return false;
    MemoryFile memory{{}, {}, true};
    {
        TiffHandle tif = open_memory(memory, "w");
        if (!tif) return false;
        const std::uint16_t channels = v.has_alpha() ? 4 : 3;
        TIFFSetField(tif.get(), TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(v.width));
        TIFFSetField(tif.get(), TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(v.height));
        TIFFSetField(tif.get(), TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif.get(), TIFFTAG_SAMPLESPERPIXEL, channels);
        TIFFSetField(tif.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif.get(), TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        TIFFSetField(tif.get(), TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif.get(), 0));
        if (v.has_alpha()) {
            const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
            TIFFSetField(tif.get(), TIFFTAG_EXTRASAMPLES, 1, extra);
        }
        std::vector<std::uint8_t> row(std::size_t(v.width) * channels);
        for (int y = 0; y < v.height; ++y) {
            const std::uint8_t* p = v.row(y);
            for (int x = 0; x < v.width; ++x, p += v.bytes_per_pixel()) {
                std::uint8_t* q = &row[std::size_t(x) * channels];
                q[0] = p[2], q[1] = p[1], q[2] = p[0];
                if (channels == 4) q[3] = p[3];
            }
            if (TIFFWriteScanline(tif.get(), row.data(), static_cast<std::uint32_t>(y), 0) < 0)
                return false;
        }
        if (!TIFFFlush(tif.get())) return false;
    }
    out = std::move(memory.written);
    return true;
}

}  // namespace textorin
