#include "services/translation.h"

#include "net/codecs.h"
#include "net/markers.h"
#include "platform/codepage.h"

namespace textorin {

Text translate_text(std::string_view text, const ServiceConfig& config, const WebContext& web) {
    const Text page = service_url(config.translate_address, "/translate");
    WebRequest request{.url = page + "?i=" + url_encode(text, true, true) +
                              "&type=AUTO&doctype=text&xmlVersion=1.1&keyfrom=360se",
                       .headers = "Referer: " + page};
    return text_after_last(reply_to_text(web_request(request, web)), "result=") + "\r\n";
}

void run_translation(ViewPort& view, const ServiceConfig& config, const WebContext& web) {
    view.set_status(gbk("状态：翻译中……"));
    Text source = view.source_selection();
    if (source.empty()) source = view.source_text();
    if (source.empty()) return;
    const Text result = translate_text(source, config, web);
    view.set_translation_text(result);
    if (view.checked(CheckBox::SyncClipboard)) view.set_clipboard(result);
    view.set_status(gbk("状态：翻译完毕"));
}

}  // namespace textorin
