#include "app/cli_run_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "audiofile/output_names.h"
#include "settings/program_state.h"

namespace sc::cli {

namespace {

constexpr const char* kFolderPrefix = "sonoclamper-";
constexpr const char* kLockName = ".lock";

std::string temporary_root() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// Only the program's own work files: anything else stays, and so does the
// folder then.
void empty_and_remove(const std::string& folder) {
    for (const char* name : {MP3_BUFFER_NAME, REHEARSAL_NAME, kLockName}) ::unlink((folder + name).c_str());
    ::rmdir(folder.c_str());
}

}  // namespace

OwnWorkFolder::OwnWorkFolder() {
    std::string pattern = temporary_root() + "/" + kFolderPrefix + "XXXXXX";
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern + "/";
    // The lock is taken before it gets its name, so that no other run ever
    // sees this folder unlocked.
    lock_ = ::open((path_ + "lock-new").c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock_ >= 0 && (::flock(lock_, LOCK_EX) != 0 || ::rename((path_ + "lock-new").c_str(), (path_ + kLockName).c_str()) != 0)) {
        ::unlink((path_ + "lock-new").c_str());
        ::close(lock_);
        lock_ = -1;
    }
}

OwnWorkFolder::~OwnWorkFolder() {
    if (path_.empty()) return;
    empty_and_remove(path_);
    if (lock_ >= 0) ::close(lock_);
}

void remove_stale_work_folders() {
    const std::string root = temporary_root() + "/";
    DIR* d = ::opendir(root.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.rfind(kFolderPrefix, 0) != 0) continue;
        const std::string folder = root + name + "/";
        struct stat st {};
        if (::lstat((root + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
        const int fd = ::open((folder + kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) empty_and_remove(folder);
        ::close(fd);
    }
    ::closedir(d);
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
