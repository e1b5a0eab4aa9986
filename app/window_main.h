// The program with its window: start-up, the panel and the main loop until
// the program ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sc {

struct WindowOptions {
    std::string screenshot;            // write the start-up picture as PNG and end
    std::optional<int16_t> language;   // 1 German, 2 English, over the stored one
    std::vector<std::string> files;    // the command-line batch
};

// Reads the window options; false with `error` set on a bad one.
bool parse_window_options(const std::vector<std::string>& args, WindowOptions& out, std::string& error);

// Runs the program in its window; returns the exit code.
int run_window(const WindowOptions& options);

}  // namespace sc
