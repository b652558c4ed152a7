#include "platform/files.h"

#include <fstream>

#include "platform/codepage.h"

namespace textorin {

std::filesystem::path fs_path(std::string_view gbk_name) {
    // A UTF-16 source becomes the platform's own encoding: UTF-8 here, UTF-16 on Windows.
    return std::filesystem::path(gbk_to_utf16(gbk_name));
}

bool write_file(const std::filesystem::path& path, ByteSpan bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

std::optional<Bytes> read_file(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);  // fails for folders too
    if (error) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    Bytes bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (!in) return std::nullopt;
    return bytes;
}

}  // namespace textorin
