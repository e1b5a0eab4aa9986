#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_system.h"
#include "platform/folder_listing.h"

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
            if (r < 0) return failed(errno);
            if (r == 0) return failed(ENOSPC);
            done += static_cast<std::size_t>(r);
        }
        return true;
    }

    bool close() override {
        if (fd_ < 0) return true;
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || failed(errno);
    }

    bool sync() override {
        if (fd_ < 0) return failed(EBADF);
        return ::fsync(fd_) == 0 || failed(errno);
    }

    int last_error() const override { return error_; }

private:
    bool failed(int error) {
        error_ = error;
        return false;
    }

    int fd_;
    uint64_t write_pos_ = 0;
    int error_ = 0;
};

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when path still names the file open as fd.
bool names_file(const std::string& path, int fd) {
    struct stat by_name{}, by_fd{};
    return ::lstat(path.c_str(), &by_name) == 0 && ::fstat(fd, &by_fd) == 0 && same_file(by_name, by_fd);
}

// A new file under path, locked: O_EXCL refuses every existing name (a
// dangling link included), O_NOFOLLOW any link. Another process may take
// the lock of a file it finds under the name before this one does, believing
// it left over; so the lock is taken first and the name checked afterwards.
Opened create_locked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return {nullptr, errno};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !names_file(path, fd)) {
        ::close(fd);
        return {nullptr, EEXIST};
    }
    return {std::make_unique<PosixFile>(fd), 0};
}

// An open that never waits: a pipe or a device without a writer would block
// a plain open, so the file is opened non-blocking and looked at first.
Opened open_plain(const std::string& path, OpenMode mode) {
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
        case OpenMode::Read: flags |= O_RDONLY; break;
        case OpenMode::CreateTruncate: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case OpenMode::ReadWrite: flags |= O_RDWR; break;
        case OpenMode::ReadWriteCreate: flags |= O_RDWR | O_CREAT; break;
        case OpenMode::CreateLocked: return create_locked(path);
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return {nullptr, errno};
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        return {nullptr, error};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {std::make_unique<PosixFile>(fd), 0};
}

std::string folder_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        return open_plain(path, mode).file;
    }

    Opened open_checked(const std::string& path, OpenMode mode) override { return open_plain(path, mode); }

    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    bool rename(const std::string& from, const std::string& to) override { return rename_checked(from, to) == 0; }

    int rename_checked(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    FileKind kind(const std::string& path) override {
        struct stat st{};
        if (::stat(path.c_str(), &st) != 0) return ::lstat(path.c_str(), &st) == 0 ? FileKind::Other : FileKind::Missing;
        if (S_ISREG(st.st_mode)) return FileKind::Regular;
        return S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
    }

    // A file is removed only while this process holds its lock, and only
    // when the name still names it then; a live job's file stays.
    RemoveResult remove_unless_locked(const std::string& path) override {
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0) return RemoveResult::Missing;
        if (!S_ISREG(st.st_mode)) {
            // a link or a special file holds no lock of ours
            if (S_ISDIR(st.st_mode)) return RemoveResult::Failed;
            return ::unlink(path.c_str()) == 0 ? RemoveResult::Removed : RemoveResult::Failed;
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return errno == ENOENT ? RemoveResult::Missing : RemoveResult::Failed;
        RemoveResult result = RemoveResult::Locked;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (!names_file(path, fd)) result = RemoveResult::Locked;  // taken over meanwhile
            else result = ::unlink(path.c_str()) == 0 ? RemoveResult::Removed : RemoveResult::Failed;
        }
        ::close(fd);
        return result;
    }

    bool may_replace(const std::string& path) override {
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return true;  // a link itself is replaced
        if (S_ISDIR(st.st_mode)) return false;
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return false;
        if (!S_ISREG(st.st_mode)) return false;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return true;
        int flags = 0;
        const bool fixed =
            ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
        ::close(fd);
        return !fixed;
    }

    bool sync_folder(const std::string& path) override {
        const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        const bool ok = ::fsync(fd) == 0;
        ::close(fd);
        return ok;
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

    bool create_folders(const std::string& path) override {
        if (path.empty()) return false;
        for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
            const std::string part = path.substr(0, slash);
            if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
            if (slash == std::string::npos) break;
        }
        struct stat st{};
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
};

}  // namespace

int folder_write_error(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

std::string error_text(int error) {
    char buf[256];
    // the GNU strerror_r returns its text, in buf or static
    return ::strerror_r(error, buf, sizeof buf);
}

FileSystem& real_file_system() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace sc::platform
