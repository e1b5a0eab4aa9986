// A folder of one run of the program below the system's temporary folder,
// for its own work files, held by a lock while the run lives; and the
// removal of such folders left behind by runs that were killed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sc::platform {

class RunFolder {
public:
    // A fresh folder named prefix + a unique ending. work_files: the names
    // removed with it (anything else keeps the folder).
    RunFolder(const std::string& prefix, std::vector<std::string> work_files);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    // Ends with the separator; empty when no folder could be made.
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> work_files_;
    intptr_t lock_ = -1;  // the open lock file
};

// Removes the folders named prefix + anything whose lock no live run holds,
// with the work files in them.
void remove_stale_run_folders(const std::string& prefix, const std::vector<std::string>& work_files);

}  // namespace sc::platform
