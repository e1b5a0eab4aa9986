// Outside programs and the environment through the wide-character Windows
// calls. A program gets one command line, quoted so that the usual
// splitting of the C runtime (CommandLineToArgvW) gives back each argument.
#include <windows.h>

#include <cwchar>

#include "platform/desktop_file_dialog.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

bool is_regular(const std::wstring& path) {
    const DWORD attr = ::GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

// The named program in folder ("lame" is "lame.exe").
std::string program_in(const std::string& folder, const std::string& name) {
    const std::string p = with_separator(folder) + program_file_name(name);
    return is_regular(widen(p)) ? p : std::string();
}

std::wstring command_line(const std::string& program, const std::vector<std::string>& args) {
    std::wstring line = quoted_argument(widen(program));
    for (const auto& a : args) line += L" " + quoted_argument(widen(a));
    return line;
}

// Waits for the child and takes its exit code; -1 when it is unknown.
int wait_for(PROCESS_INFORMATION& child) {
    ::CloseHandle(child.hThread);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    DWORD code = 0;
    const bool known = ::GetExitCodeProcess(child.hProcess, &code);
    ::CloseHandle(child.hProcess);
    return known ? static_cast<int>(code) : -1;
}

class Win32Processes final : public Processes {
public:
    int run(const std::string& program, const std::vector<std::string>& args) override {
        std::wstring line = command_line(program, args);
        STARTUPINFOW start{};
        start.cb = sizeof start;
        PROCESS_INFORMATION child{};
        if (!::CreateProcessW(widen(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &start, &child))
            return -1;
        return wait_for(child);
    }

    std::string find_program(const std::string& name, const std::string& folder) override {
        if (!folder.empty())
            if (auto p = program_in(folder, name); !p.empty()) return p;
        const wchar_t* path = ::_wgetenv(L"PATH");
        if (!path) return {};
        const std::string list = narrow(path);
        for (std::size_t start = 0; start <= list.size();) {
            std::size_t end = list.find(';', start);
            if (end == std::string::npos) end = list.size();
            std::string dir = list.substr(start, end - start);
            if (dir.size() >= 2 && dir.front() == '"' && dir.back() == '"') dir = dir.substr(1, dir.size() - 2);
            if (!dir.empty())
                if (auto p = program_in(dir, name); !p.empty()) return p;
            start = end + 1;
        }
        return {};
    }
};

class Win32Environment final : public Environment {
public:
    std::optional<std::string> get(const std::string& name) override {
        const wchar_t* v = ::_wgetenv(widen(name).c_str());
        if (!v) return std::nullopt;
        return narrow(v);
    }

    std::string program_path() override {
        std::wstring buf(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0) return {};
            if (n < buf.size()) return narrow(buf.substr(0, n));
            buf.resize(buf.size() * 2);
        }
    }

    std::optional<uint64_t> free_memory() override {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        if (!::GlobalMemoryStatusEx(&status)) return std::nullopt;
        return static_cast<uint64_t>(status.ullAvailPhys);
    }
};

}  // namespace

// The rules of the C runtime's splitting: a run of backslashes is literal
// unless a quotation mark follows, where each backslash and the mark are
// escaped by a backslash.
std::wstring quoted_argument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < arg.size() && arg[i] == L'\\') {
            ++i;
            ++backslashes;
        }
        if (i == arg.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (arg[i] == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        out += arg[i];
    }
    out += L'"';
    return out;
}

int run_capturing(const std::string& program, const std::vector<std::string>& args, std::string& output) {
    output.clear();
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!::CreatePipe(&read_end, &write_end, &inherit, 0)) return -1;
    ::SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    const HANDLE nul = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = nul;
    start.hStdOutput = write_end;
    start.hStdError = nul;
    PROCESS_INFORMATION child{};
    std::wstring line = command_line(program, args);
    const bool started = ::CreateProcessW(widen(program).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &start, &child);
    ::CloseHandle(write_end);
    if (nul != INVALID_HANDLE_VALUE) ::CloseHandle(nul);
    if (!started) {
        ::CloseHandle(read_end);
        return -1;
    }
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(read_end, buf, sizeof buf, &n, nullptr) && n > 0) output.append(buf, n);
    ::CloseHandle(read_end);
    return wait_for(child);
}

bool Processes::is_program(const std::string& path) { return !path.empty() && is_regular(widen(path)); }

std::string Environment::working_folder() {
    const DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return {};
    std::wstring buf(n, L'\0');
    const DWORD got = ::GetCurrentDirectoryW(n, buf.data());
    std::string folder = narrow(buf.substr(0, got));
    // without a trailing separator, except a drive root ("C:\")
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

void set_environment_variable(const std::string& name, const std::string& value) {
    ::_wputenv_s(widen(name).c_str(), widen(value).c_str());
}

Processes& real_processes() {
    static Win32Processes p;
    return p;
}

Environment& real_environment() {
    static Win32Environment e;
    return e;
}

}  // namespace sc::platform
