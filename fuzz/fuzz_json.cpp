// The JSON document on any reply: parse, then count, member names, texts and kinds of what it
// found, member names going in through safe path steps.
#include <string_view>

#include "json/json_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    textorin::JsonDocument doc;
    if (!doc.parse(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    (void)doc.count();
    (void)doc.type_of();
    (void)doc.get_text();
    int visited = 0;
    for (const auto& name : doc.member_names()) {
        const auto step = textorin::JsonDocument::path_step(name);
        (void)doc.get_text(step);
        (void)doc.type_of(step);
        (void)doc.count(step);
        if (++visited == 16) break;
    }
    for (int i = 0; i < std::min(doc.count("words_result"), 16); ++i)
        (void)doc.get_text("words_result[" + std::to_string(i) + "].words");
    return 0;
}
