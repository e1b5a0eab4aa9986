#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

#include "platform/file_system.h"

namespace sc::platform {

namespace {

class PosixFile final : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {
        struct stat st{};
        if (::fstat(fd_, &st) == 0) write_pos_ = static_cast<uint64_t>(st.st_size);
    }
    ~PosixFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    uint64_t length() override {
        struct stat st{};
        if (::fstat(fd_, &st) != 0) return 0;
        return static_cast<uint64_t>(st.st_size);
    }

    std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override {
        std::size_t done = 0;
        auto* p = static_cast<char*>(buf);
        while (done < n) {
            const ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(pos + done));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) break;
            done += static_cast<std::size_t>(r);
        }
        return done;
    }

    bool write(const void* buf, std::size_t n) override {
        if (!write_at(write_pos_, buf, n)) return false;
        write_pos_ += n;
        return true;
    }

    bool write_at(uint64_t pos, const void* buf, std::size_t n) override {
        std::size_t done = 0;
        const auto* p = static_cast<const char*>(buf);
        while (done < n) {
            const ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(pos + done));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return false;
            done += static_cast<std::size_t>(r);
        }
        return true;
    }

    bool close() override {
        if (fd_ < 0) return true;
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
    uint64_t write_pos_ = 0;
};

std::string folder_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        int flags = O_CLOEXEC;
        switch (mode) {
            case OpenMode::Read: flags |= O_RDONLY; break;
            case OpenMode::CreateTruncate: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
            case OpenMode::ReadWrite: flags |= O_RDWR; break;
            case OpenMode::ReadWriteCreate: flags |= O_RDWR | O_CREAT; break;
        }
        const int fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) return nullptr;
        struct stat st{};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixFile>(fd);
    }

    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    bool rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0;
    }

    std::optional<std::string> find_first(const std::string& pattern) override {
        const auto slash = pattern.rfind('/');
        const std::string name = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
        if (name.find_first_of("*?") == std::string::npos) {
            struct stat st{};
            if (::stat(pattern.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
            return name;
        }
        auto names = list(folder_of(pattern), name);
        if (names.empty()) return std::nullopt;
        return names.front();
    }

    std::vector<std::string> list(const std::string& folder, const std::string& pattern) override {
        std::vector<std::string> out;
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!dir) return out;
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            if (!wildcard_match(pattern, name, true)) continue;
            std::string full = folder;
            if (!full.empty() && full.back() != '/') full += '/';
            full += name;
            struct stat st{};
            if (::stat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
            out.push_back(name);
        }
        ::closedir(dir);
        return out;
    }
};

}  // namespace

bool wildcard_match(const std::string& pattern, const std::string& name, bool fold_case) {
    auto eq = [fold_case](char a, char b) {
        if (!fold_case) return a == b;
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    };
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && eq(pattern[p], name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

FileSystem& real_file_system() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace sc::platform
