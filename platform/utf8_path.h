// std::filesystem paths from and to the program's UTF-8 strings (a plain
// std::string would be taken in the Windows ANSI code page).
#pragma once

#include <filesystem>
#include <string>

namespace sc::platform {

inline std::filesystem::path path_of(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string text_of(const std::filesystem::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

}  // namespace sc::platform
