// The headless mode: runs the job on each file of the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "shell/platform_services.h"

namespace sc::cli {

// Processes every file; 0 when all were processed, 1 when any was rejected
// or failed. Pauses of the job cost no time here.
int run(const Options& options, std::ostream& out, std::ostream& err, bool progress_bar);

// The whole command line: parse, help, run. Returns the exit status.
int main(const std::vector<std::string>& args);

// True when the arguments ask for the headless mode or for help.
bool wants_command_line(const std::vector<std::string>& args);

}  // namespace sc::cli
