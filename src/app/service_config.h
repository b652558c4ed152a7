// Where the online services are and the keys they take: the optional "服务" section of the
// settings file, read once at start, with the built-in values for what it leaves out.
#pragma once

#include <array>

#include "app/settings_file.h"

namespace textorin {

struct ServiceConfig {
    Text ocr_address;  // base address of the OCR platform, token endpoint included
    Text api_key;
    Text secret_key;
    Text translate_address;                // base address of the translation service
    std::array<Text, 3> notice_addresses;  // an empty address is a page that cannot be fetched

    static ServiceConfig load(const SettingsFile& settings);
};

// A configured base address followed by a path ("/..."), whether or not the base ends in "/".
Text service_url(std::string_view base, std::string_view path);

}  // namespace textorin
