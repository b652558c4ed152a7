// Translating the source text through the web translation service.
#pragma once

#include "app/service_config.h"
#include "app/view_port.h"
#include "net/web_request.h"

namespace textorin {

// One request: everything after the reply's last "result=", followed by CR LF (a lone CR LF
// when the service gives nothing).
Text translate_text(std::string_view text, const ServiceConfig& config, const WebContext& web = {});

// The whole flow of one click, on the calling thread: the selected part of the source box, or
// all of it, translated into the translation box (and onto the clipboard when the user wants).
// The selection is read from the box itself; the user's clipboard is never used for it.
void run_translation(ViewPort& view, const ServiceConfig& config, const WebContext& web = {});

}  // namespace textorin
