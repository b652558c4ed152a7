// Search, split, trim, replace and text to integer on any GBK-ish texts; splitting and joining
// gives the text back, less a final separator.
#include <fuzzer/FuzzedDataProvider.h>

#include "text/conventions.h"
#include "text/symbol_width.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string separator = in.ConsumeRandomLengthString(8);
    const std::string text = in.ConsumeRemainingBytesAsString();
    (void)textorin::find_text(text, separator);
    (void)textorin::find_text_nocase(text, separator);
    (void)textorin::find_last_text(text, separator);
    (void)textorin::trim(text);
    (void)textorin::text_to_int(text);
    (void)textorin::replace_all(text, separator, "xy");
    (void)textorin::to_half_width(textorin::to_full_width(text));
    if (!separator.empty()) {
        std::string joined;
        const auto pieces = textorin::split(text, separator);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            joined += (i ? separator : "") + pieces[i];
        const bool whole = joined == text;
        const bool less_final = joined + separator == text;
        if (!whole && !less_final) __builtin_trap();
    }
    return 0;
}
