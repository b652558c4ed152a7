// The settings file "windows data.ini": typed reads and one-key writes by the conventions of
// the file ("真"/"假", decimal integers, texts as they stand). Nothing is cached.
#pragma once

#include <filesystem>

#include "app/settings_keys.h"
#include "text/text.h"

namespace textorin {

// The folder of the settings file and the licence files: the program's own folder, or the
// user's .config/Textorin for an installed program (its folder is the system's, or cannot be
// written).

std::filesystem::path data_directory();

class SettingsFile {
  public:
    explicit SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}

    // "windows data.ini" in the data directory.
    static SettingsFile standard();

    const std::filesystem::path& path() const { return path_; }

    bool read_check(const SettingKey& key) const;
    int read_integer(const SettingKey& key) const;
    Text read_text(const SettingKey& key) const;

    // A failed write is ignored: the choice then holds for the running process only. The
    // folder is created on the first write.
    void write_check(const SettingKey& key, bool checked) const;
    void write_integer(const SettingKey& key, int value) const;
    void write_text(const SettingKey& key, std::string_view value) const;

  private:
    Text read(const SettingKey& key) const;
    void write(const SettingKey& key, std::string_view value) const;

    std::filesystem::path path_;
};

}  // namespace textorin
