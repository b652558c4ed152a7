// The notice payload and the version numbers of any page.
#include <string_view>

#include "net/codecs.h"
#include "net/markers.h"
#include "platform/codepage.h"
#include "services/notices.h"
#include "text/conventions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto start = textorin::gbk("[起]"), end = textorin::gbk("[止]");
    const auto payload = textorin::text_between(textorin::reply_to_text({data, size}), start, end);
    for (const auto& field : textorin::split(payload, "|"))
        (void)textorin::version_number(field);
    (void)textorin::version_number(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
