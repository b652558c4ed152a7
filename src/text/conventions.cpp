#include "text/conventions.h"

#include <climits>

namespace textorin {
namespace {

// Where the character that starts at `i` ends.
// A lead byte takes the next byte only when that byte can be a trail byte, so a separator such
// as "=" or ";" after a stray lead byte is still found.
std::size_t next_boundary(std::string_view s, std::size_t i) {
    const bool pair = is_lead_byte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
                      is_trail_byte(static_cast<unsigned char>(s[i + 1]));
    return i + (pair ? 2 : 1);
}

bool is_ideographic_space(std::string_view s, std::size_t i) {
    return i + 1 < s.size() && static_cast<unsigned char>(s[i]) == 0xA1 &&
           static_cast<unsigned char>(s[i + 1]) == 0xA1;
}

// Replaces the matches found in `scan` (the text itself, or its folded copy, which has the
// same length) in `text`.
Text replace_found(std::string_view text, std::string_view scan, std::string_view needle,
                   std::string_view to) {
    if (needle.empty()) return Text(text);
    Text out;
    std::size_t start = 0;
    for (std::size_t hit; (hit = find_text(scan, needle, start)) != npos;
         start = hit + needle.size()) {
        out.append(text, start, hit - start);
        out.append(to);
    }
    out.append(text, start);
    return out;
}

}  // namespace

Text lower_ascii(std::string_view text) {
    Text out(text);
    for (std::size_t i = 0; i < out.size(); i = next_boundary(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + ('a' - 'A'));
    }
    return out;
}

std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) return npos;
    if (needle.empty()) return from;
    // string_view::find proposes candidates fast; the boundary cursor walks the text once to reject
    // the candidates that start inside a double-byte character.
    std::size_t boundary = from;
    std::size_t search = from;
    while (search + needle.size() <= text.size()) {
        const std::size_t cand = text.find(needle, search);
        if (cand == npos) return npos;
        while (boundary < cand)
            boundary = next_boundary(text, boundary);
        if (boundary == cand) return cand;
        search = boundary;
    }
    return npos;
}

std::size_t find_text_nocase(std::string_view text, std::string_view needle, std::size_t from) {
    return find_text(lower_ascii(text), lower_ascii(needle), from);
}

std::size_t find_last_text(std::string_view text, std::string_view needle) {
    std::size_t last = npos;
    if (needle.empty()) return last;
    for (std::size_t hit = 0; (hit = find_text(text, needle, hit)) != npos;) {
        last = hit;
        hit = next_boundary(text, hit);
    }
    return last;
}

Text trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        if (text[begin] == ' ') {
            ++begin;
        } else if (is_ideographic_space(text, begin)) {
            begin += 2;
        } else {
            break;
        }
    }
    // The end is found walking forward, so an A1 that is a trail byte is never taken for a space.
    std::size_t end = begin;
    for (std::size_t i = begin; i < text.size();) {
        const std::size_t next = next_boundary(text, i);
        if (text[i] != ' ' && !is_ideographic_space(text, i)) end = next;
        i = next;
    }
    return Text(text.substr(begin, end - begin));
}

std::vector<Text> split(std::string_view text, std::string_view separator) {
    std::vector<Text> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) return {Text(text)};
    std::size_t start = 0;
    for (std::size_t hit; (hit = find_text(text, separator, start)) != npos;) {
        pieces.emplace_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

Text replace_all(std::string_view text, std::string_view from, std::string_view to) {
    return replace_found(text, text, from, to);
}

Text replace_all_nocase(std::string_view text, std::string_view from, std::string_view to) {
    return replace_found(text, lower_ascii(text), lower_ascii(from), to);
}

int text_to_int(std::string_view text) {
    // Full-width digits are A3 B0 to A3 B9, the full-width signs A3 AB and A3 AD.
    std::size_t i = 0;
    auto at = [&](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
    };
    // Reads the ASCII form of the character at i (full-width forms folded) and its length.
    auto ascii_at = [&](std::size_t k, std::size_t& len) -> unsigned {
        if (at(k) == 0xA3 && at(k + 1) >= 0xA1 && at(k + 1) <= 0xFE) {
            len = 2;
            return at(k + 1) - 0x80;
        }
        if (at(k) == 0xA1 && at(k + 1) == 0xA1) {
            len = 2;
            return ' ';
        }
        len = 1;
        return at(k);
    };
    std::size_t len = 0;
    for (unsigned c; (c = ascii_at(i, len)) == ' ' || c == '\t' || c == '\n' || c == '\r' ||
                     c == '\v' || c == '\f';)
        i += len;
    bool negative = false;
    if (unsigned c = ascii_at(i, len); c == '+' || c == '-') {
        negative = c == '-';
        i += len;
    }
    long long value = 0;
    for (unsigned c; (c = ascii_at(i, len)) >= '0' && c <= '9'; i += len) {
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

}  // namespace textorin
