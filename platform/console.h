// The terminal the command line writes to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sc::platform {

// Whether the standard error output is a terminal (progress is drawn there).
bool error_output_is_terminal();

// The width of that terminal in characters; 0 when it is not known.
std::size_t terminal_columns();

// The arguments of the command line after the program name, UTF-8 (argc
// and argv as main got them; Windows takes them from the wide command line).
std::vector<std::string> command_line_arguments(int argc, char** argv);

// Sets the terminal up for the program's UTF-8 texts (Windows consoles
// take another code page otherwise).
void prepare_console();

}  // namespace sc::platform
