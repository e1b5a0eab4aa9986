#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/run_folder.h"

namespace sc::platform {

namespace {

constexpr const char* kLockName = ".lock";

std::string temporary_root() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// Only the program's own work files: anything else stays, and so does the
// folder then.
void empty_and_remove(const std::string& folder, const std::vector<std::string>& work_files) {
    for (const std::string& name : work_files) ::unlink((folder + name).c_str());
    ::unlink((folder + kLockName).c_str());
    ::rmdir(folder.c_str());
}

}  // namespace

RunFolder::RunFolder(const std::string& prefix, std::vector<std::string> work_files) : work_files_(std::move(work_files)) {
    std::string pattern = temporary_root() + "/" + prefix + "XXXXXX";
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern + "/";
    // The lock is taken before it gets its name, so that no other run ever
    // sees this folder unlocked.
    int lock = ::open((path_ + "lock-new").c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock >= 0 && (::flock(lock, LOCK_EX) != 0 || ::rename((path_ + "lock-new").c_str(), (path_ + kLockName).c_str()) != 0)) {
        ::unlink((path_ + "lock-new").c_str());
        ::close(lock);
        lock = -1;
    }
    lock_ = lock;
}

RunFolder::~RunFolder() {
    if (path_.empty()) return;
    empty_and_remove(path_, work_files_);
    if (lock_ >= 0) ::close(static_cast<int>(lock_));
}

void remove_stale_run_folders(const std::string& prefix, const std::vector<std::string>& work_files) {
    const std::string root = temporary_root() + "/";
    DIR* d = ::opendir(root.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.rfind(prefix, 0) != 0) continue;
        const std::string folder = root + name + "/";
        struct stat st {};
        if (::lstat((root + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
        const int fd = ::open((folder + kLockName).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) empty_and_remove(folder, work_files);
        ::close(fd);
    }
    ::closedir(d);
}

}  // namespace sc::platform
