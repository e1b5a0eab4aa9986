// The lock of a run folder is its lock file held open without sharing: no
// other process can open or delete it while the run lives.
#include <windows.h>

#include "platform/run_folder.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

constexpr const char* kLockName = ".lock";

std::string temporary_root() {
    wchar_t buf[MAX_PATH + 2];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    std::string root = n > 0 ? narrow(std::wstring(buf, n)) : std::string(".\\");
    if (root.back() != '\\' && root.back() != '/') root += '\\';
    return root;
}

void empty_and_remove(const std::string& folder, const std::vector<std::string>& work_files) {
    for (const std::string& name : work_files) ::DeleteFileW(widen(folder + name).c_str());
    ::DeleteFileW(widen(folder + kLockName).c_str());
    ::RemoveDirectoryW(widen(folder).c_str());
}

}  // namespace

RunFolder::RunFolder(const std::string& prefix, std::vector<std::string> work_files) : work_files_(std::move(work_files)) {
    const std::string root = temporary_root();
    unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64();
    for (int attempt = 0; attempt < 100; ++attempt, seed = seed * 6364136223846793005ULL + 1442695040888963407ULL) {
        std::string ending;
        for (int i = 0; i < 6; ++i) ending += "0123456789abcdefghijklmnopqrstuvwxyz"[(seed >> (8 * i + 3)) % 36];
        const std::string folder = root + prefix + ending + "\\";
        if (!::CreateDirectoryW(widen(folder).c_str(), nullptr)) {
            if (::GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return;
        }
        path_ = folder;
        const HANDLE lock = ::CreateFileW(widen(folder + kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (lock != INVALID_HANDLE_VALUE) lock_ = reinterpret_cast<intptr_t>(lock);
        return;
    }
}

RunFolder::~RunFolder() {
    if (path_.empty()) return;
    if (lock_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(lock_));
    empty_and_remove(path_, work_files_);
}

void remove_stale_run_folders(const std::string& prefix, const std::vector<std::string>& work_files) {
    const std::string root = temporary_root();
    WIN32_FIND_DATAW found{};
    const HANDLE h = ::FindFirstFileW(widen(root + prefix + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const std::string folder = root + narrow(found.cFileName) + "\\";
        // a live run holds its lock file open: it cannot be deleted
        if (::DeleteFileW(widen(folder + kLockName).c_str())) empty_and_remove(folder, work_files);
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
}

}  // namespace sc::platform
