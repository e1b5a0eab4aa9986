// Paths as this system writes them: separators, absolute paths, the drive
// root, and the folder of the user setups file.
#pragma once

#include <string>

#include "platform/process.h"

namespace sc::platform {

// The separator the system writes ("/", on Windows "\").
char path_separator();
// Whether c separates folders ("/", on Windows also "\").
bool is_separator(char c);
// The place of the last separator in path; npos when there is none.
std::size_t last_separator(const std::string& path);
// folder with a separator at its end (an empty folder stays empty).
std::string with_separator(std::string folder);
// Whether path is absolute: "/..." (on Windows a drive path "X:\..." or a
// network path "\\server\...").
bool is_absolute_path(const std::string& path);
// Whether path can name a file for the existence test: "/..." not ending in
// "/" (on Windows a drive path of more than 6 characters).
bool is_examined_file_path(const std::string& path);
// The root of the program's drive: "/" (on Windows the upper-cased drive
// letter of the program path + ":\").
std::string drive_root_of(const std::string& program_path);
// The file name of the program called name ("lame"; on Windows "lame.exe").
std::string program_file_name(const std::string& name);
// The folder for the user setups file (ending with the separator): on
// Windows the program folder, or %APPDATA%\<subfolder>\ when the program
// folder takes no files; elsewhere $XDG_CONFIG_HOME/<subfolder>/ or
// ~/.config/<subfolder>/, the program folder when neither is set.
std::string settings_folder(Environment& env, const std::string& program_folder, const std::string& subfolder);

}  // namespace sc::platform
