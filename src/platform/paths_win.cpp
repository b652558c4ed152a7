#include <shlobj.h>
#include <windows.h>

#include "platform/paths.h"

namespace textorin {

std::filesystem::path program_directory() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return std::filesystem::path(std::wstring(buffer, n)).parent_path();
}

std::filesystem::path user_config_directory() {
    wchar_t* appdata = nullptr;
    std::filesystem::path folder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &appdata) == S_OK)
        folder = std::filesystem::path(appdata) / L"Textorin";
    CoTaskMemFree(appdata);
    return folder;
}

bool system_program_folder(const std::filesystem::path&) {
    return false;
}  // not writable there

bool directory_writable(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / L".textorin-write-test";
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

}  // namespace textorin
