// Cookies kept as text from request to request.
#pragma once

#include <string_view>

#include "text/text.h"

namespace textorin {

// The "name=value" of every "Set-Cookie" line of a reply header block, joined by "; ".
Text collect_set_cookies(std::string_view header_block);

// Folds the new cookies into the kept ones (a new value wins; an empty or "deleted" value drops
// the cookie) and returns them as "name=value;" pairs. Both arguments are left without spaces,
// and `kept` receives the result.
Text merge_cookies(Text& kept, Text& fresh);

}  // namespace textorin
