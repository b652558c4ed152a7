#include "platform/profile.h"

#include <algorithm>
#include <optional>

#include "platform/files.h"
#include "text/conventions.h"

namespace textorin {
namespace {

// Spaces and tabs; neither can be the second byte of a double-byte character.
std::string_view trim_blanks(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t");
    if (begin == s.npos) return {};
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

bool same_name(std::string_view a, std::string_view b) {
    return lower_ascii(a) == lower_ascii(b);
}

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

Line parse_line(std::string_view raw) {
    const std::string_view text = trim_blanks(raw);
    if (text.starts_with('[')) {
        const std::size_t close = find_text(text, "]");
        return {Line::Section, trim_blanks(text.substr(1, close == npos ? npos : close - 1)), {}};
    }
    if (text.starts_with(';')) return {};
    const std::size_t eq = find_text(text, "=");
    if (eq == npos) return {};
    return {Line::Key, trim_blanks(text.substr(0, eq)), trim_blanks(text.substr(eq + 1))};
}

// The lines of a file, without their CR LF or LF ends.
std::vector<std::string_view> lines_of(std::string_view content) {
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t nl = content.find('\n');
        std::string_view line = content.substr(0, nl);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (nl == npos) break;
        content.remove_prefix(nl + 1);
    }
    return lines;
}

std::optional<Text> read_text(const std::filesystem::path& file) {
    auto bytes = read_file(file);
    if (!bytes) return std::nullopt;
    return Text(bytes->begin(), bytes->end());
}

// Cuts at most to `max` bytes without splitting a double-byte character.
std::string_view cut(std::string_view s, std::size_t max) {
    if (s.size() <= max) return s;
    std::size_t end = 0;
    while (end < max) {
        const bool pair = is_lead_byte(static_cast<unsigned char>(s[end])) && end + 1 < s.size() &&
                          is_trail_byte(static_cast<unsigned char>(s[end + 1]));
        const std::size_t next = end + (pair ? 2 : 1);

        if (next > max) break;
        end = next;
    }
    return s.substr(0, end);
}

}  // namespace

Text read_profile(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view fallback) {
    const std::string_view wanted_section = trim_blanks(section), wanted_key = trim_blanks(key);
    if (const auto content = read_text(file)) {
        bool in_section = false;
        for (std::string_view raw : lines_of(*content)) {
            const Line line = parse_line(raw);
            if (line.kind == Line::Section) {
                if (in_section) break;  // only the first matching section counts
                in_section = same_name(line.name, wanted_section);
            } else if (line.kind == Line::Key && in_section && same_name(line.name, wanted_key)) {
                std::string_view value = line.value;
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                    value.back() == value.front())
                    value = value.substr(1, value.size() - 2);
                return Text(cut(value, kProfileValueMax));
            }
        }
    }
    const std::size_t end = fallback.find_last_not_of(' ');
    return Text(fallback.substr(0, end == npos ? 0 : end + 1));
}

std::vector<Text> profile_section_names(const std::filesystem::path& file) {
    std::vector<Text> names;
    const auto content = read_text(file);
    if (!content) return names;
    for (std::string_view raw : lines_of(*content)) {
        const Line line = parse_line(raw);
        if (line.kind != Line::Section) continue;
        const bool known = std::any_of(names.begin(), names.end(),
                                       [&](const Text& n) { return same_name(n, line.name); });
        if (!known) names.emplace_back(line.name);
    }
    return names;
}

Text profile_with_value(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string_view wanted_section = trim_blanks(section), wanted_key = trim_blanks(key);
    std::vector<Text> lines;
    for (std::string_view raw : lines_of(content))
        lines.emplace_back(raw);

    std::size_t header = npos, insert_at = npos;
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        const Line line = parse_line(lines[i]);
        if (line.kind == Line::Section) {
            if (header != npos) break;  // past the end of the first matching section
            if (same_name(line.name, wanted_section)) header = insert_at = i;
        } else if (line.kind == Line::Key && header != npos) {
            if (same_name(line.name, wanted_key)) {
                lines[i] = Text(line.name) + "=" + Text(value);  // the key keeps its spelling
                done = true;
            } else {
                insert_at = i;
            }
        }
    }
    const Text entry = Text(wanted_key) + "=" + Text(value);
    if (header == npos) {
        lines.push_back("[" + Text(wanted_section) + "]");
        lines.push_back(entry);
    } else if (!done) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at) + 1, entry);
    }
    Text out;
    for (const Text& line : lines)
        out += line + "\r\n";
    return out;
}

bool write_profile(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value) {
    // A line break in the value would start a line of its own and corrupt the file: the value
    // ends at the first one.
    value = value.substr(0, value.find_first_of("\r\n"));
    const Text old = read_text(file).value_or(Text());
    const Text updated = profile_with_value(old, section, key, value);
    return replace_file(file,
                        {reinterpret_cast<const std::uint8_t*>(updated.data()), updated.size()});
}

}  // namespace textorin
