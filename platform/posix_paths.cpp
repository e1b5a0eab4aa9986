#include "platform/paths.h"

namespace sc::platform {

char path_separator() { return '/'; }

bool is_separator(char c) { return c == '/'; }

std::size_t last_separator(const std::string& path) { return path.rfind('/'); }

std::string with_separator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool is_absolute_path(const std::string& path) { return !path.empty() && path.front() == '/'; }

bool is_examined_file_path(const std::string& path) { return is_absolute_path(path) && path.back() != '/'; }

std::string program_file_name(const std::string& name) { return name; }

std::string drive_root_of(const std::string& /*program_path*/) { return "/"; }

std::string settings_folder(Environment& env, const std::string& program_folder, const std::string& subfolder) {
    if (auto xdg = env.get("XDG_CONFIG_HOME"); xdg && is_absolute_path(*xdg))
        return with_separator(*xdg) + with_separator(subfolder);
    if (auto home = env.get("HOME"); home && is_absolute_path(*home))
        return with_separator(*home) + ".config/" + with_separator(subfolder);
    return program_folder;
}

}  // namespace sc::platform
