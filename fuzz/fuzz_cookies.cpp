// Markers and cookies on any texts; merging the new cookies again changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include "net/cookies.h"
#include "net/markers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string a = in.ConsumeRandomLengthString(256);
    const std::string b = in.ConsumeRandomLengthString(256);
    const std::string text = in.ConsumeRemainingBytesAsString();
    (void)textorin::text_between(text, a, b);
    (void)textorin::text_after_last(text, a);
    (void)textorin::collect_set_cookies(text);

    std::string kept = text, fresh = a;
    const std::string merged = textorin::merge_cookies(kept, fresh);
    std::string again = merged, same = a;
    if (textorin::merge_cookies(again, same) != merged) __builtin_trap();
    return 0;
}
