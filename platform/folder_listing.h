// Folders as the file dialog browses them: entries with their kind, and
// the few path operations it needs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sc::platform {

struct FolderEntry {
    std::string name;
    bool folder = false;
};

// The entries of a folder ("." and ".." left out; a link counts as what it
// points to, a broken link is left out), in directory order. Nothing when
// the folder cannot be read.
std::optional<std::vector<FolderEntry>> read_folder(const std::string& path);

bool is_folder(const std::string& path);
// 0 when new files can be written in folder; else the errno value of the
// reason (ENOTDIR when it is no folder).
int folder_write_error(const std::string& folder);
bool is_file(const std::string& path);

// An absolute, lexically normal path without a trailing "/" (except the
// root itself); relative paths count from the working folder.
std::string absolute_path(const std::string& path);
// The folder above (the root stays the root).
std::string parent_folder(const std::string& absolute);
// folder + "/" + name, without doubling the separator.
std::string join_path(const std::string& folder, const std::string& name);

}  // namespace sc::platform
