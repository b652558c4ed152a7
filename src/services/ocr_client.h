// The client of the OCR platform: the access token, fetched once at start, and one recognition
// request per capture, whose endpoint and form fields follow the recognition mode.
#pragma once

#include <optional>

#include "app/service_config.h"
#include "app/shared_state.h"
#include "app/view_port.h"
#include "net/web_request.h"

namespace textorin {

// Fetches the access token with the configured keys and stores it; a failure of any kind
// leaves it empty.
void request_token(SharedState& state, const ServiceConfig& config, const WebContext& web = {});

struct OcrEndpoint {
    Text address;
    Text body_prefix;  // form fields before "image="
};

// The endpoint of a recognition mode (0, 1, 2, 5, 6, 7); nullopt for any other mode.
std::optional<OcrEndpoint> ocr_endpoint(int mode, const ServiceConfig& config,
                                        std::string_view token);

// Re-encodes `capture` to JPEG in place (it stays as it was when that fails) and posts it; the
// reply as text. A mode without a request shows so on the status label and sends nothing.
Text ocr_request(int mode, Bytes& capture, std::string_view token, const ServiceConfig& config,
                 ViewPort& view, const WriteGuard& guard = {}, const WebContext& web = {});

}  // namespace textorin
