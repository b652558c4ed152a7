#include "net/cookies.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "net/markers.h"
#include "platform/codepage.h"
#include "text/conventions.h"

namespace textorin {
namespace {

using Pair = std::pair<Text, Text>;

Text without_spaces(std::string_view text) {
    static const Text ideographic_space = gbk("　");
    return replace_all(replace_all(text, " ", ""), ideographic_space, "");
}

Pair to_pair(std::string_view piece) {
    const std::size_t eq = find_text(piece, "=");
    if (eq == npos) return {trim(piece), Text()};
    return {trim(piece.substr(0, eq)), Text(piece.substr(eq + 1))};
}

}  // namespace

Text collect_set_cookies(std::string_view header_block) {
    Text result;
    for (const Text& line : split(header_block, "\r\n")) {
        if (find_text(line, "Set-Cookie") == npos) continue;
        const Text piece = find_text(line, ";") != npos
                               ? trim(text_between(line, "Set-Cookie:", ";"))
                               : trim(replace_all_nocase(line, "Set-Cookie:", ""));
        result += piece;
        result += "; ";
    }
    if (result.size() >= 2) result.resize(result.size() - 2);
    return result;
}

Text merge_cookies(Text& kept, Text& fresh) {
    kept = without_spaces(kept);
    fresh = without_spaces(fresh);
    if (fresh.empty()) return kept;

    std::vector<Pair> pairs;
    for (const Text& piece : split(kept, ";"))
        pairs.push_back(to_pair(piece));
    for (const Text& piece : split(fresh, ";")) {
        Pair pair = to_pair(piece);
        auto same_name = [&](const Pair& p) { return p.first == pair.first; };
        if (auto it = std::find_if(pairs.begin(), pairs.end(), same_name); it != pairs.end()) {
            it->second = std::move(pair.second);
            // A kept duplicate of the name would otherwise outlive the server's new value (or
            // its deletion): the first pair keeps its place, the others go.
            pairs.erase(std::remove_if(std::next(it), pairs.end(), same_name), pairs.end());
        } else {
            pairs.push_back(std::move(pair));
        }
    }

    Text result;
    for (const auto& [name, value] : pairs) {
        if (name.empty() || value.empty() || value == "deleted") continue;
        result += name + "=" + value + ";";
    }
    kept = result;
    return result;
}

}  // namespace textorin
