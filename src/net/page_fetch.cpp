#include "net/page_fetch.h"

#include "net/url.h"
#include "text/conventions.h"

namespace textorin {

Bytes fetch_page(std::string_view address, const WebContext& web) {
    if (trim(address).empty()) return {};
    HttpRequest request;
    request.secure = lower_ascii(address.substr(0, 8)) == "https://";
    request.host = url_host(address);
    request.port = url_port(address);
    request.path = url_path(address);
    if (request.port < 1 || request.port > 65535) return {};
    const HttpClient& client = web.client ? *web.client : default_http_client();
    return client.exchange(request, web.abort).body;
}

}  // namespace textorin
