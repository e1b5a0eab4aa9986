#include "platform/folder_listing.h"

#include <filesystem>
#include <system_error>

namespace sc::platform {

namespace fs = std::filesystem;

std::optional<std::vector<FolderEntry>> read_folder(const std::string& path) {
    std::error_code ec;
    fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
    if (ec) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code kind_error;
        const fs::file_status st = it->status(kind_error);  // follows links
        if (kind_error || !fs::exists(st)) continue;
        entries.push_back({it->path().filename().string(), fs::is_directory(st)});
    }
    return entries;
}

bool is_folder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool is_file(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

std::string absolute_path(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path.empty() ? "." : path, ec);
    if (ec) p = fs::path("/") / path;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s.empty() ? "/" : s;
}

std::string parent_folder(const std::string& absolute) {
    const std::string::size_type slash = absolute.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return absolute.substr(0, slash);
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace sc::platform
