#include "platform/dir_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
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

// Thousands separated by dots, as the German listing shows sizes.
std::string grouped(unsigned long long v) {
    std::string digits = std::to_string(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string directory_line(const LocalTime& m, unsigned long long size, const std::string& name) {
    char head[32];
    std::snprintf(head, sizeof head, "%02d.%02d.%04d  %02d:%02d", m.day, m.month, m.year, m.hour, m.minute);
    std::string size_text = grouped(size);
    std::string line = head;  // 17 characters
    const std::size_t field = 35 - line.size();  // the size ends at character 35
    if (size_text.size() < field) line += std::string(field - size_text.size(), ' ');
    line += size_text + " " + name;
    return line;
}

DirectoryLister& real_directory_lister() {
    static PosixDirectoryLister l;
    return l;
}

}  // namespace sc::platform
