#include "net/markers.h"

#include "platform/codepage.h"
#include "text/conventions.h"

namespace textorin {
namespace {

Text with_quotes(std::string_view marker) {
    static const Text quote_word = gbk("#引号");
    return replace_all(marker, quote_word, "\"");
}

}  // namespace

Text text_between(std::string_view text, std::string_view start, std::string_view end) {
    const Text start_marker = with_quotes(start);
    const Text end_marker = with_quotes(end);
    const std::size_t at = find_text(text, start_marker);
    if (at == npos) return {};
    const std::size_t begin = at + start_marker.size();
    const std::size_t stop = find_text(text, end_marker, begin);
    if (stop == npos) return {};
    return Text(text.substr(begin, stop - begin));
}

Text text_after_last(std::string_view text, std::string_view marker) {
    const std::size_t at = find_last_text(text, marker);
    if (at == npos) return {};
    return Text(text.substr(at + marker.size()));
}

}  // namespace textorin
