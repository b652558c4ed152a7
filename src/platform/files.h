// Whole-file reads and writes, with file names given as GBK texts.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/image.h"
#include "text/text.h"

namespace textorin {

// The file-system path for a GBK file name.
std::filesystem::path fs_path(std::string_view gbk_name);

// Replaces the file with the bytes; false when it cannot be written.
bool write_file(const std::filesystem::path& path, ByteSpan bytes);

// The same, through a temporary file beside it that is renamed over it: a crash or a full disk
// leaves either the old file or the new one, never a truncated one. The folder must exist.
bool replace_file(const std::filesystem::path& path, ByteSpan bytes);

std::optional<Bytes> read_file(const std::filesystem::path& path);

}  // namespace textorin
