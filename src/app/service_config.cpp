#include "app/service_config.h"

namespace textorin {

ServiceConfig ServiceConfig::load(const SettingsFile& settings) {
    ServiceConfig config{settings.read_text(keys::kOcrAddress),
                         settings.read_text(keys::kApiKey),
                         settings.read_text(keys::kSecretKey),
                         settings.read_text(keys::kTranslateAddress),
                         {}};
    for (std::size_t i = 0; i < config.notice_addresses.size(); ++i)
        config.notice_addresses[i] = settings.read_text(keys::kNoticeAddress[i]);
    return config;
}

Text service_url(std::string_view base, std::string_view path) {
    while (base.ends_with('/'))
        base.remove_suffix(1);
    return Text(base) + Text(path);
}

}  // namespace textorin
