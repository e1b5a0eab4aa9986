#include "app/cli_run_files.h"

#include <unistd.h>

#include <cstdlib>
#include <map>

#include "audiofile/output_names.h"
#include "settings/program_state.h"

namespace sc::cli {

OwnWorkFolder::OwnWorkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/sonoclamper-XXXXXX";
    if (::mkdtemp(pattern.data())) path_ = pattern + "/";
}

OwnWorkFolder::~OwnWorkFolder() {
    if (path_.empty()) return;
    // only the program's own work files: anything else stays, and so does
    // the folder then
    for (const char* name : {MP3_BUFFER_NAME, REHEARSAL_NAME}) ::unlink((path_ + name).c_str());
    ::rmdir(path_.c_str());
}

std::vector<int> earlier_with_same_result(const std::vector<std::string>& files) {
    std::map<std::string, int> first;
    std::vector<int> out;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [at, fresh] = first.emplace(target_name(files[i], 1), static_cast<int>(i));
        out.push_back(fresh ? -1 : at->second);
    }
    return out;
}

}  // namespace sc::cli
