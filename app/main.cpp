#include <cstdio>
#include <string>
#include <vector>

#include "app/cli_run.h"
#include "app/window_main.h"
#include "platform/console.h"
#include "platform/interruption.h"

int main(int argc, char** argv) {
    // before any library can take them: a signal ends the work in order
    sc::platform::catch_ending_signals();
    sc::platform::prepare_console();
    const std::vector<std::string> args = sc::platform::command_line_arguments(argc, argv);
    if (sc::cli::wants_command_line(args)) return sc::cli::main(args);
    sc::WindowOptions options;
    std::string error;
    if (!sc::parse_window_options(args, options, error)) {
        std::fprintf(stderr, "sonoclamper: %s\n", error.c_str());
        return 2;
    }
    return sc::run_window(options);
}
