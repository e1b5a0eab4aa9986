#include "platform/folder_listing.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/utf8_path.h"

namespace sc::platform {

namespace fs = std::filesystem;

namespace {

// "C:\" (and "C:" before it) on Windows.
bool is_drive_root(const std::string& path, std::size_t length) {
    return path_separator() == '\\' && length == 3 && path[1] == ':';
}

}  // namespace

std::optional<std::vector<FolderEntry>> read_folder(const std::string& path) {
    std::error_code ec;
    fs::directory_iterator it(path_of(path), fs::directory_options::skip_permission_denied, ec);
    if (ec) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code kind_error;
        const fs::file_status st = it->status(kind_error);  // follows links
        if (kind_error || !fs::exists(st)) continue;
        entries.push_back({text_of(it->path().filename()), fs::is_directory(st)});
    }
    return entries;
}

bool is_folder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path_of(path), ec);
}

bool is_file(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path_of(path), ec) && !fs::is_directory(path_of(path), ec);
}

std::string absolute_path(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path_of(path.empty() ? "." : path), ec);
    if (ec) p = fs::path("/") / path_of(path);
    std::string s = text_of(p.lexically_normal());
    // a root keeps its separator ("/", "C:\")
    while (s.size() > 1 && is_separator(s.back()) && !is_drive_root(s, s.size())) s.pop_back();
    return s.empty() ? std::string(1, path_separator()) : s;
}

std::string parent_folder(const std::string& absolute) {
    const std::string::size_type slash = last_separator(absolute);
    if (slash == std::string::npos || slash == 0) return std::string(1, path_separator());
    // the folder above "C:\x" is the drive root "C:\"
    if (is_drive_root(absolute, slash + 1)) return absolute.substr(0, 3);
    return absolute.substr(0, slash);
}

std::string join_path(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return with_separator(folder) + name;
}

}  // namespace sc::platform
