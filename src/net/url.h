// Splitting an address into host, port and path the way the web request routine needs.
#pragma once

#include <string_view>

#include "text/text.h"

namespace textorin {

// The host in lower case, without its port unless `keep_port`; an address without a scheme is
// taken as plain HTTP.
Text url_host(std::string_view url, bool keep_port = false);

// The port written after the host, else 443 for an "https" address and 80 for any other.
int url_port(std::string_view url);

// Everything from the first "/" after the host, in its own letter case and with its query;
// "/" when there is none.
Text url_path(std::string_view url);

}  // namespace textorin
