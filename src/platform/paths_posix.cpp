#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/paths.h"

namespace textorin {

std::filesystem::path program_directory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : exe.parent_path();
}

std::filesystem::path user_config_directory() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
    const std::filesystem::path home = found && found->pw_dir ? found->pw_dir : "/tmp";
    return home / ".config" / "Textorin";
}

bool system_program_folder(const std::filesystem::path& folder) {
    const std::string path = folder.string() + "/";
    return path.starts_with("/usr/") || path.starts_with("/opt/");
}

bool directory_writable(const std::filesystem::path& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace textorin
