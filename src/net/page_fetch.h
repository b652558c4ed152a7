// A plain reader of a web page's body: a GET of the address as it stands (HTTP or HTTPS),
// following redirects, with no headers or cookies of the program's own.
#pragma once

#include <string_view>

#include "net/web_request.h"

namespace textorin {

// The body whatever the status; empty when the address is empty or nothing arrives.
Bytes fetch_page(std::string_view address, const WebContext& web = {});

}  // namespace textorin
