// Address splitting on any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    const auto host = textorin::url_host(url);
    const auto with_port = textorin::url_host(url, true);
    const auto path = textorin::url_path(url);
    (void)textorin::url_port(url);
    if (!with_port.starts_with(host)) __builtin_trap();  // the port only ever follows the host
    if (path.empty() || (path != "/" && url.find(path) == std::string_view::npos)) __builtin_trap();
    return 0;
}
