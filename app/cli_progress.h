// The terminal of a command-line run: messages on the standard output and
// error, and while files are processed one progress line per running file
// on the standard error (file name, percent, speed, time left), fitted to
// the terminal's width and removed before anything else is printed and at
// the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

namespace sc::cli {

class Console {
public:
    // progress: draw the progress lines (the standard error is a terminal).
    Console(std::ostream& out, std::ostream& err, bool progress, int16_t language);

    // Prints whole lines on the standard output or error.
    void print(bool to_err, const std::string& text);

    // A file begins / moves on / ends; the slot names its progress line.
    int begin_file(const std::string& name, int64_t bytes);
    void advance(int slot, int64_t done_bytes, double audio_seconds);
    void end_file(int slot);

    // Redraws the progress lines (the main thread, a few times a second).
    void draw_progress();
    void clear_progress();

    // One progress line of at most `width` characters: name, percent, speed
    // (times real time) and time left; the name is cut in its middle first.
    static std::string progress_line(const std::string& name, double part, double speed, double seconds_left,
                                     std::size_t width, int16_t language);

private:
    struct Slot {
        std::string name;
        int64_t bytes = 0;
        int64_t done = 0;
        double audio_seconds = 0.0;
        std::chrono::steady_clock::time_point start;
        bool used = false;
    };
    void clear_locked();

    std::mutex mutex_;
    std::ostream& out_;
    std::ostream& err_;
    bool progress_;
    int16_t language_;
    std::vector<Slot> slots_;
    int lines_shown_ = 0;
};

// Columns of the terminal on the standard error (COLUMNS, else 80).
std::size_t terminal_width();

}  // namespace sc::cli
