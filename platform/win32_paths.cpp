#include <windows.h>

#include <cctype>

#include "platform/paths.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

bool is_drive_path(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           is_separator(path[2]);
}

// Whether a new file can be made in folder (tried with a file that goes
// when it is closed).
bool takes_files(const std::string& folder) {
    const std::wstring probe = widen(folder + "sonoclamper-write-probe.tmp");
    const HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

}  // namespace

char path_separator() { return '\\'; }

bool is_separator(char c) { return c == '\\' || c == '/'; }

std::size_t last_separator(const std::string& path) { return path.find_last_of("\\/"); }

std::string with_separator(std::string folder) {
    if (!folder.empty() && !is_separator(folder.back())) folder += '\\';
    return folder;
}

bool is_absolute_path(const std::string& path) {
    return is_drive_path(path) || (path.size() > 2 && is_separator(path[0]) && is_separator(path[1]));
}

bool is_examined_file_path(const std::string& path) {
    return path.size() > 6 && path[1] == ':' && path[2] == '\\';
}

std::string program_file_name(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name + ".exe" : name;
}

std::string drive_root_of(const std::string& program_path) {
    if (program_path.empty()) return "C:\\";
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(program_path[0])))) + ":\\";
}

std::string settings_folder(Environment& env, const std::string& program_folder, const std::string& subfolder) {
    if (program_folder.empty() || takes_files(program_folder)) return program_folder;
    if (auto appdata = env.get("APPDATA"); appdata && is_absolute_path(*appdata))
        return with_separator(*appdata) + with_separator(subfolder);
    return program_folder;
}

}  // namespace sc::platform
