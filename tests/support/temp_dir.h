// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#pragma once

#include <filesystem>
#include <string>

namespace textorin::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

  private:
    std::filesystem::path path_;
};

// Writes a UTF-8 text as a GBK file, as the program's own files are kept.
bool write_gbk_file(const std::filesystem::path& file, const std::string& utf8);

// The folder of the checked-in test files (tests/data).
std::filesystem::path test_data(const std::filesystem::path& name);

}  // namespace textorin::testing
