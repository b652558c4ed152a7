#include "app/settings_file.h"

#include <charconv>

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "text/conventions.h"

namespace textorin {

std::filesystem::path data_directory() {
    // An installed program (even run by root, who may write anywhere) keeps the user's files in
    // the user's own folder.
    const auto program = program_directory();
    const bool own_folder = directory_writable(program) && !system_program_folder(program);
    return own_folder ? program : user_config_directory();
}

SettingsFile SettingsFile::standard() {
    return SettingsFile(data_directory() / "windows data.ini");
}

Text SettingsFile::read(const SettingKey& key) const {
    return read_profile(path_, gbk(key.section), gbk(key.key), gbk(key.fallback));
}

bool SettingsFile::read_check(const SettingKey& key) const {
    static const Text unchecked = gbk("假");
    return read(key) != unchecked;
}

int SettingsFile::read_integer(const SettingKey& key) const {
    return text_to_int(read(key));
}

Text SettingsFile::read_text(const SettingKey& key) const {
    return read(key);
}

void SettingsFile::write(const SettingKey& key, std::string_view value) const {
    std::error_code ignored;
    std::filesystem::create_directories(path_.parent_path(), ignored);
    write_profile(path_, gbk(key.section), gbk(key.key), value);
}

void SettingsFile::write_check(const SettingKey& key, bool checked) const {
    static const Text yes = gbk("真"), no = gbk("假");
    write(key, checked ? yes : no);
}

void SettingsFile::write_integer(const SettingKey& key, int value) const {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    write(key, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

void SettingsFile::write_text(const SettingKey& key, std::string_view value) const {
    write(key, value);
}

}  // namespace textorin
