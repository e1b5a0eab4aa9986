#include "app/cli_run_files.h"

#include <map>

#include "audiofile/output_names.h"
#include "settings/program_state.h"

namespace sc::cli {

namespace {

constexpr const char* kFolderPrefix = "sonoclamper-";

std::vector<std::string> work_file_names() { return {MP3_BUFFER_NAME, REHEARSAL_NAME}; }

}  // namespace

OwnWorkFolder::OwnWorkFolder() : folder_(kFolderPrefix, work_file_names()) {}

void remove_stale_work_folders() { platform::remove_stale_run_folders(kFolderPrefix, work_file_names()); }

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
