#include "services/ocr_client.h"

#include "capture/reencode_image.h"
#include "json/json_document.h"
#include "net/codecs.h"
#include "platform/codepage.h"

namespace textorin {
void request_token(SharedState& state, const ServiceConfig& config, const WebContext& web) {
    JsonDocument doc;
    WebRequest request{.url =
                           service_url(config.ocr_address,
                                       "/oauth/2.0/token?grant_type=client_credentials&client_id=" +
                                           config.api_key + "&client_secret=" + config.secret_key)};
    doc.parse(reply_to_text(web_request(request, web)));
    state.set_access_token(doc.get_text("access_token"));
}

std::optional<OcrEndpoint> ocr_endpoint(int mode, const ServiceConfig& config,
                                        std::string_view token) {
    const Text base = service_url(config.ocr_address, "/rest/2.0/ocr/v1/");
    const Text with_token = "?access_token=" + Text(token);
    switch (mode) {
        case 0:
            return OcrEndpoint{base + "accurate_basic" + with_token, {}};
        case 1:
            return OcrEndpoint{base + "general_basic" + with_token, {}};
        case 2:
            return OcrEndpoint{base + "handwriting" + with_token, {}};
        case 5:
            return OcrEndpoint{base + "vehicle_license" + with_token, {}};
        case 6:
            return OcrEndpoint{base + "vehicle_license",
                               "access_token=" + Text(token) +
                                   "&detect_direction=false&accuracy=&vehicle_license_side=back&"};
        case 7:
            return OcrEndpoint{base + "general_basic",
                               "access_token=" + Text(token) +
                                   "&language_type=CHN_ENG&detect_direction=true&detect_language="
                                   "true&probability=true&"};
        default:
            return std::nullopt;
    }
}

Text ocr_request(int mode, Bytes& capture, std::string_view token, const ServiceConfig& config,
                 ViewPort& view, const WriteGuard& guard, const WebContext& web) {
    const auto endpoint = ocr_endpoint(mode, config, token);
    if (!endpoint) {
        view.set_status(gbk("状态：程序BUG1请联系作者"), guard);
        return {};
    }
    reencode_image(capture, kJpeg, {}, &capture);
    WebRequest request{.url = endpoint->address,
                       .method = 1,
                       .post_text = endpoint->body_prefix +
                                    "image=" + url_encode(base64_encode(capture), true, true)};
    return reply_to_text(web_request(request, web));
}

}  // namespace textorin
