#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/console.h"

namespace sc::platform {

bool error_output_is_terminal() { return ::isatty(STDERR_FILENO) != 0; }

std::size_t terminal_columns() {
    winsize ws{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
    return 0;
}

std::vector<std::string> command_line_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void prepare_console() {}

}  // namespace sc::platform
