#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include "platform/console.h"
#include "platform/win32_text.h"

namespace sc::platform {

bool error_output_is_terminal() { return ::_isatty(2) != 0; }

std::size_t terminal_columns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    return columns > 0 ? static_cast<std::size_t>(columns) : 0;
}

std::vector<std::string> command_line_arguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 1; i < count; ++i) args.push_back(narrow(wide[i]));
    ::LocalFree(wide);
    return args;
}

void prepare_console() { ::SetConsoleOutputCP(CP_UTF8); }

}  // namespace sc::platform
