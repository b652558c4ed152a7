#include "net/url.h"

#include "net/markers.h"
#include "text/conventions.h"

namespace textorin {
Text url_host(std::string_view url, bool keep_port) {
    Text address = lower_ascii(url);
    if (!address.ends_with('/')) address += '/';
    Text host;
    if (address.starts_with("https://")) {
        host = text_between(address, "https://", "/");
    } else {
        if (find_text(address, "http://") == npos) address.insert(0, "http://");
        host = text_between(address, "http://", "/");
    }
    if (!keep_port) host = host.substr(0, find_text(host, ":"));
    return host;
}

int url_port(std::string_view url) {
    const Text host = url_host(url, true);
    if (const std::size_t colon = find_last_text(host, ":"); colon != npos)
        return text_to_int(std::string_view(host).substr(colon + 1));
    return lower_ascii(url).starts_with("https") ? 443 : 80;
}

Text url_path(std::string_view url) {
    // The host is looked for behind the scheme, so that a host such as "t" is not found
    // inside "http://" itself.
    const Text lower = lower_ascii(url);
    const std::size_t after_scheme = lower.starts_with("http://")    ? 7
                                     : lower.starts_with("https://") ? 8
                                                                     : 0;
    const std::size_t at = find_text_nocase(url, url_host(url), after_scheme);
    if (at == npos) return "/";
    const std::size_t slash = find_text(url, "/", at);
    return slash == npos ? Text("/") : Text(url.substr(slash));
}

}  // namespace textorin
