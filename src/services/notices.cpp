#include "services/notices.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "net/codecs.h"
#include "net/markers.h"
#include "net/page_fetch.h"
#include "platform/codepage.h"
#include "text/conventions.h"

namespace textorin {
namespace {

Text payload_of(std::string_view address, const WebContext& web) {
    static const Text start = gbk("[起]"), end = gbk("[止]");
    return text_between(reply_to_text(fetch_page(address, web)), start, end);
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

float version_number(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t\r\n\v\f");
    if (i == npos) return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    // A number starts with a digit, or with a point and a digit; "inf" and "nan" are not numbers.
    const bool starts =
        i < text.size() &&
        (is_digit(text[i]) || (text[i] == '.' && i + 1 < text.size() && is_digit(text[i + 1])));
    if (!starts) return 0;
    double value = 0;
    const char* first = text.data() + i;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: infinity, or zero for a negative exponent.
        const std::string_view number(first, static_cast<std::size_t>(end - first));
        const std::size_t e = number.find_first_of("eE");
        value = e != npos && e + 1 < number.size() && number[e + 1] == '-'
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
    }
    if (negative) value = -value;
    // Beyond the float range the narrowing is made explicit rather than left undefined.
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::abs(value) > std::numeric_limits<float>::max())
        return value > 0 ? kInfinity : -kInfinity;
    return static_cast<float>(value);
}

void check_notices(ViewPort& view, const ServiceConfig& config, const WebContext& web) {
    const auto fields = split(payload_of(config.notice_addresses[0], web), "|");
    if (fields.size() == 3) {
        const float latest = version_number(fields[0]);
        const float running = version_number(text_between(view.window_caption(), "V", "-"));
        view.set_notice(latest > running ? fields[1] : fields[2]);
    }
    view.set_browser_address(payload_of(config.notice_addresses[1], web));
    if (Text text = payload_of(config.notice_addresses[2], web); !text.empty())
        view.set_translation_text(std::move(text));
}

}  // namespace textorin
