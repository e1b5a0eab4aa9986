#include "platform/dir_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

namespace sc::platform {

namespace {

LocalTime local(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

class PosixDirectoryLister final : public DirectoryLister {
public:
    std::vector<std::string> lines(const std::string& folder) override {
        std::vector<std::string> names;
        if (DIR* d = ::opendir(folder.c_str())) {
            while (dirent* e = ::readdir(d))
                if (e->d_name[0] != '.') names.emplace_back(e->d_name);
            ::closedir(d);
        }
        std::sort(names.begin(), names.end());
        std::vector<std::string> out;
        std::string base = folder;
        if (!base.empty() && base.back() != '/') base += '/';
        for (const auto& n : names) {
            struct stat st{};
            if (::stat((base + n).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            out.push_back(directory_line(local(st.st_mtime), static_cast<unsigned long long>(st.st_size), n));
        }
        return out;
    }
    LocalTime now() override { return local(std::time(nullptr)); }
};

}  // namespace

DirectoryLister& real_directory_lister() {
    static PosixDirectoryLister l;
    return l;
}

}  // namespace sc::platform
