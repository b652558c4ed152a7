// One HTTP(S) request: the fixed default headers, cookies kept as text, the reply body as bytes.
#pragma once

#include <optional>
#include <string_view>

#include "platform/http.h"
#include "text/text.h"

namespace textorin {

// The routine's ten parameters, in order. Fields marked in/out are rewritten by the call.
struct WebRequest {
    Text url;                     // with or without "http://" / "https://"
    int method = 0;               // 0 GET, 1 POST, 2 HEAD; anything else is GET
    Text post_text;               // the body when post_bytes is empty
    std::optional<Text> cookies;  // in/out: supplied cookies; receives the merged cookies
    Text cookies_out;             // out: the reply's cookies, or the merged cookies
    Text headers;                 // in/out: extra lines; receives the whole block that was sent
    Text headers_out;             // out: the reply's raw header block
    bool no_redirect = false;
    Bytes post_bytes;  // in/out: filled from post_text for POST and HEAD when empty
    Text proxy;        // host:port; empty means a direct connection
};

// How a request travels: the client (the default one when null) and what can abort it.
struct WebContext {
    const HttpClient* client = nullptr;
    const AbortSignal* abort = nullptr;
};

// Returns the reply body exactly as received, whatever its status; empty when nothing arrived.
// When the request cannot be set up at all, the in/out fields are left as they were.
Bytes web_request(WebRequest& request, const WebContext& context = {});

// The User-Agent the request is sent with, taken from `headers` or the default agent.
Text request_agent(std::string_view headers);

// `headers` completed with Accept, Referer, Accept-Language, Content-Type and Cookie lines.
Text complete_header_block(std::string_view headers, std::string_view url,
                           std::string_view cookies);

}  // namespace textorin
