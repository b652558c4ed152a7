// The INI reader on any file, and the writer on it: a plain value written reads back the same.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("textorin-fuzz-" + std::to_string(getpid()) + ".ini");
    FuzzedDataProvider in(data, size);
    std::string value = in.ConsumeRandomLengthString(64);
    const std::string content = in.ConsumeRemainingBytesAsString();
    textorin::write_file(file,
                         {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
    (void)textorin::read_profile(file, "Section", "Key", "default");
    (void)textorin::profile_section_names(file);

    // Values without blanks or quotes at their ends and without line breaks or NULs read back.
    value = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                              value.front() == '"' || value.front() == '\''))
        value.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '"' ||
                              value.back() == '\''))
        value.pop_back();
    if (textorin::write_profile(file, "Fuzz", "Value", value) &&
        textorin::read_profile(file, "Fuzz", "Value") != value)
        __builtin_trap();
    return 0;
}
