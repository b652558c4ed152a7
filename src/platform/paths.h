// Where the program's files live.
#pragma once

#include <filesystem>

namespace textorin {

// The folder that holds the program file.
std::filesystem::path program_directory();

// The user's own folder for the program's files (.config/Textorin under the home folder, found
// through the user database, never through environment variables).
std::filesystem::path user_config_directory();

// True when files can be created in the folder.
bool directory_writable(const std::filesystem::path& folder);

// True when the folder is where installed programs live (their files belong to the system).
bool system_program_folder(const std::filesystem::path& folder);

}  // namespace textorin
