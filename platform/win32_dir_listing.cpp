#include <windows.h>

#include <algorithm>

#include "platform/dir_listing.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

LocalTime local(const SYSTEMTIME& t) { return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}; }

LocalTime local(const FILETIME& utc) {
    FILETIME here{};
    SYSTEMTIME t{};
    ::FileTimeToLocalFileTime(&utc, &here);
    ::FileTimeToSystemTime(&here, &t);
    return local(t);
}

struct Entry {
    std::string name;
    LocalTime modified;
    unsigned long long size = 0;
};

class Win32DirectoryLister final : public DirectoryLister {
public:
    std::vector<std::string> lines(const std::string& folder) override {
        std::string base = folder;
        if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
        std::vector<Entry> entries;
        WIN32_FIND_DATAW found{};
        const HANDLE h = ::FindFirstFileW(widen(base + "*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
                std::string name = narrow(found.cFileName);
                if (name.empty() || name[0] == '.') continue;
                const unsigned long long size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
                entries.push_back({std::move(name), local(found.ftLastWriteTime), size});
            } while (::FindNextFileW(h, &found));
            ::FindClose(h);
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
        std::vector<std::string> out;
        for (const auto& e : entries) out.push_back(directory_line(e.modified, e.size, e.name));
        return out;
    }

    LocalTime now() override {
        SYSTEMTIME t{};
        ::GetLocalTime(&t);
        return local(t);
    }
};

}  // namespace

DirectoryLister& real_directory_lister() {
    static Win32DirectoryLister l;
    return l;
}

}  // namespace sc::platform
