#include "support/temp_dir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/codepage.h"
#include "platform/files.h"

namespace textorin::testing {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "textorin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool write_gbk_file(const std::filesystem::path& file, const std::string& utf8) {
    const std::string text = gbk(utf8);
    return write_file(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::filesystem::path test_data(const std::filesystem::path& name) {
    return std::filesystem::path(TEXTORIN_TEST_DATA) / name;
}

}  // namespace textorin::testing
