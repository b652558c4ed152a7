// The text conventions every part of the core follows on GBK texts: searches never start a
// match on the second byte of a double-byte character, trimming removes ASCII and ideographic
// spaces only, splitting keeps empty pieces between separators, and nothing depends on the locale.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace textorin {

inline constexpr std::size_t npos = std::string_view::npos;

// True for a byte that starts a double-byte character in code page 936.
constexpr bool is_trail_byte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

constexpr bool is_lead_byte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// Lower-cases the single-byte ASCII letters; double-byte characters stay whole.
Text lower_ascii(std::string_view text);

// First match of `needle` at or after `from` that starts on a character boundary; `from` must
// be a boundary. An empty needle matches at `from` (when from <= size).
std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from = 0);

// As find_text, with single-byte ASCII letters folded; trail bytes are never folded.
std::size_t find_text_nocase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Last match of a non-empty needle that starts on a character boundary.
std::size_t find_last_text(std::string_view text, std::string_view needle);

// Removes ASCII spaces and ideographic spaces (A1 A1) at both ends; tabs and line breaks stay.
Text trim(std::string_view text);

// Pieces between separators: an empty piece between adjacent separators and before a leading
// one, none after a final separator, none at all for an empty text.
std::vector<Text> split(std::string_view text, std::string_view separator);

// Replaces every occurrence, left to right, without overlaps.
Text replace_all(std::string_view text, std::string_view from, std::string_view to);
Text replace_all_nocase(std::string_view text, std::string_view from, std::string_view to);

// Leading blanks, an optional sign and digits, full-width forms counting as ASCII; no digits
// gives 0, and values beyond the 32-bit range saturate.
int text_to_int(std::string_view text);

}  // namespace textorin
