// The three notice pages read once at start: an update notice chosen by comparing versions, an
// address for the browser box, and a text for the translation box.
#pragma once

#include "app/service_config.h"
#include "app/view_port.h"
#include "net/web_request.h"

namespace textorin {

// The leading decimal number of a text (blanks skipped, optional sign, digits with an optional
// fraction and exponent) as a 32-bit float; 0 when there is none. The locale plays no part.
float version_number(std::string_view text);

// Reads the pages in order and shows their payloads (the text between "[起]" and "[止]").
void check_notices(ViewPort& view, const ServiceConfig& config, const WebContext& web = {});

}  // namespace textorin
