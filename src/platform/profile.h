// Private-profile (INI) files in GBK bytes, read and written the way the Windows profile
// functions do: names matched in any ASCII letter case, blanks around names and values ignored,
// ";" comment lines, the first matching section and key winning, one key written at a time
// with everything else in the file kept as it was.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace textorin {

// The longest value a read returns, in bytes.
inline constexpr std::size_t kProfileValueMax = 10239;

// The value of the key, with one outer pair of matching quotes removed; `fallback` without its
// trailing spaces when the file, the section or the key is missing.
Text read_profile(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view fallback = {});

// The names of the file's sections in file order, each once.
std::vector<Text> profile_section_names(const std::filesystem::path& file);

// Stores the value under the key, creating the file (when its folder exists), the section (at
// the end) or the key (after the section's last key). The file is replaced whole, never left
// half-written. False when it cannot be written.
bool write_profile(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

// The same edit on a file's content; every line of the result ends in CR LF.
Text profile_with_value(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace textorin
