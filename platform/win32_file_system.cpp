// Files through the wide-character Windows calls; names are UTF-8 inside
// the program. A file opened with CreateLocked is shared for reading and
// for its own rename only: no other process may write it while it is open,
// and remove_unless_locked, which wants the file for itself alone, leaves
// it alone.
#include <windows.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "platform/paths.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

class Win32File final : public File {
public:
    explicit Win32File(HANDLE h) : h_(h) {
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(h_, &size)) write_pos_ = static_cast<uint64_t>(size.QuadPart);
    }
    ~Win32File() override {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }

    uint64_t length() override {
        LARGE_INTEGER size{};
        return ::GetFileSizeEx(h_, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
    }

    std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override {
        std::size_t done = 0;
        auto* p = static_cast<char*>(buf);
        while (done < n) {
            OVERLAPPED at = place(pos + done);
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, 1u << 30));
            if (!::ReadFile(h_, p + done, want, &got, &at) || got == 0) break;
            done += got;
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
            OVERLAPPED at = place(pos + done);
            DWORD put = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, 1u << 30));
            if (!::WriteFile(h_, p + done, want, &put, &at)) return failed(errno_of(::GetLastError()));
            if (put == 0) return failed(ENOSPC);
            done += put;
        }
        return true;
    }

    bool close() override {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h) || failed(errno_of(::GetLastError()));
    }

    bool sync() override {
        if (h_ == INVALID_HANDLE_VALUE) return failed(EBADF);
        return ::FlushFileBuffers(h_) || failed(errno_of(::GetLastError()));
    }

    int last_error() const override { return error_; }

private:
    static OVERLAPPED place(uint64_t pos) {
        OVERLAPPED o{};
        o.Offset = static_cast<DWORD>(pos);
        o.OffsetHigh = static_cast<DWORD>(pos >> 32);
        return o;
    }
    bool failed(int error) {
        error_ = error;
        return false;
    }

    HANDLE h_;
    uint64_t write_pos_ = 0;
    int error_ = 0;
};

std::string folder_of(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    return path.substr(0, slash + 1);
}

DWORD attributes(const std::string& path) { return ::GetFileAttributesW(widen(path).c_str()); }

Opened open_plain(const std::string& path, OpenMode mode) {
    DWORD access = GENERIC_READ | GENERIC_WRITE, disposition = OPEN_EXISTING;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (mode) {
        case OpenMode::Read: access = GENERIC_READ; break;
        case OpenMode::CreateTruncate: access = GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
        case OpenMode::ReadWrite: break;
        case OpenMode::ReadWriteCreate: disposition = OPEN_ALWAYS; break;
        case OpenMode::CreateLocked: disposition = CREATE_NEW; share = FILE_SHARE_READ | FILE_SHARE_DELETE; break;
    }
    const DWORD attr = attributes(path);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
        return {nullptr, mode == OpenMode::CreateLocked ? EEXIST : EISDIR};
    const HANDLE h = ::CreateFileW(widen(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const int error = errno_of(::GetLastError());
        return {nullptr, mode == OpenMode::CreateLocked && error == EBUSY ? EEXIST : error};
    }
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        return {nullptr, ENODEV};
    }
    return {std::make_unique<Win32File>(h), 0};
}

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override { return open_plain(path, mode).file; }

    Opened open_checked(const std::string& path, OpenMode mode) override { return open_plain(path, mode); }

    bool remove(const std::string& path) override { return ::DeleteFileW(widen(path).c_str()) != 0; }

    bool rename(const std::string& from, const std::string& to) override { return rename_checked(from, to) == 0; }

    int rename_checked(const std::string& from, const std::string& to) override {
        if (::MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        return errno_of(::GetLastError());
    }

    FileKind kind(const std::string& path) override {
        const DWORD attr = attributes(path);
        if (attr == INVALID_FILE_ATTRIBUTES) return FileKind::Missing;
        if (attr & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Folder;
        return (attr & FILE_ATTRIBUTE_DEVICE) ? FileKind::Other : FileKind::Regular;
    }

    // The file is opened for this process alone, to be deleted when it is
    // closed: while a job holds it open that open fails, and it stays.
    RemoveResult remove_unless_locked(const std::string& path) override {
        const DWORD attr = attributes(path);
        if (attr == INVALID_FILE_ATTRIBUTES) return RemoveResult::Missing;
        if (attr & FILE_ATTRIBUTE_DIRECTORY) return RemoveResult::Failed;
        const HANDLE h = ::CreateFileW(widen(path).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE) return ::CloseHandle(h) ? RemoveResult::Removed : RemoveResult::Failed;
        switch (::GetLastError()) {
            case ERROR_SHARING_VIOLATION:
            case ERROR_LOCK_VIOLATION: return RemoveResult::Locked;
            case ERROR_FILE_NOT_FOUND: return RemoveResult::Missing;
            default: return RemoveResult::Failed;
        }
    }

    bool may_replace(const std::string& path) override {
        const DWORD attr = attributes(path);
        if (attr == INVALID_FILE_ATTRIBUTES) return true;
        return !(attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    }

    // Windows keeps the folder entries itself; there is nothing to force.
    bool sync_folder(const std::string&) override { return true; }

    std::optional<std::string> find_first(const std::string& pattern) override {
        const auto slash = pattern.find_last_of("\\/");
        const std::string name = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
        if (name.find_first_of("*?") == std::string::npos) {
            const DWORD attr = attributes(pattern);
            if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
            return name;
        }
        auto names = list(folder_of(pattern), name);
        if (names.empty()) return std::nullopt;
        return names.front();
    }

    std::vector<std::string> list(const std::string& folder, const std::string& pattern) override {
        std::vector<std::string> out;
        std::string base = folder.empty() ? "." : folder;
        if (!is_separator(base.back())) base += '\\';
        WIN32_FIND_DATAW found{};
        const HANDLE h = ::FindFirstFileW(widen(base + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return out;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::string name = narrow(found.cFileName);
            if (wildcard_match(pattern, name, true)) out.push_back(name);
        } while (::FindNextFileW(h, &found));
        ::FindClose(h);
        return out;
    }

    bool create_folders(const std::string& path) override {
        if (path.empty()) return false;
        // past the drive ("C:\") or the server and share of a network path
        std::size_t from = path.size() > 2 && path[1] == ':' ? 3 : 1;
        if (path.rfind("\\\\", 0) == 0) from = path.find_first_of("\\/", path.find_first_of("\\/", 2) + 1);
        for (std::size_t slash = path.find_first_of("\\/", from);; slash = path.find_first_of("\\/", slash + 1)) {
            const std::string part = path.substr(0, slash);
            if (!part.empty() && !::CreateDirectoryW(widen(part).c_str(), nullptr) &&
                ::GetLastError() != ERROR_ALREADY_EXISTS && kind(part) != FileKind::Folder)
                return false;
            if (slash == std::string::npos) break;
        }
        return kind(path) == FileKind::Folder;
    }
};

}  // namespace

// The read-only mark of a folder does not keep files out of it; the access
// rules of the file system tell only at the attempt.
int folder_write_error(const std::string& folder) {
    const DWORD attr = attributes(folder);
    if (attr == INVALID_FILE_ATTRIBUTES) return errno_of(::GetLastError());
    return (attr & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}

FileSystem& real_file_system() {
    static Win32FileSystem fs;
    return fs;
}

}  // namespace sc::platform
