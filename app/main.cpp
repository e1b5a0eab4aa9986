#include <cstdio>
#include <string>
#include <vector>

#include "app/cli_run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (sc::cli::wants_command_line(args)) return sc::cli::main(args);
    std::fprintf(stderr, "sonoclamper: the window is not built into this program; use --process FILE... (see --help)\n");
    return 2;
}
