// The command line as a view of the job: every hint, info text and text
// screen is printed once (results and progress to the standard output,
// failures to the standard error); nothing waits for a key or sleeps.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

#include "settings/view.h"

namespace sc::cli {

// Shared by the views of all files of one run.
class Console {
public:
    Console(std::ostream& out, std::ostream& err, bool quiet, bool progress_bar);

    void print(bool failure, const std::vector<std::string>& lines);

    // Progress over all files: bytes of source data expected and done, and
    // seconds of audio done.
    void expect(int64_t bytes) { expected_ += bytes; }
    void advance(int64_t bytes, double audio_seconds);
    // Redraws the progress line (from the main thread), or clears it.
    void draw_progress(double elapsed);
    void clear_progress();

private:
    std::mutex mutex_;
    std::ostream& out_;
    std::ostream& err_;
    bool quiet_;
    bool progress_bar_;
    bool bar_shown_ = false;
    std::atomic<int64_t> expected_{0};
    std::atomic<int64_t> done_{0};
    std::atomic<int64_t> audio_ms_{0};
};

class CliView : public View {
public:
    // `label` names the file in front of its failures.
    CliView(Console& console, std::string label) : console_(console), label_(std::move(label)) {}

    void blink_hint(const HintMessage& hint, bool batch_running) override;
    void info_text(std::string_view line1, std::string_view line2) override;
    void info_text_grey(std::string_view, std::string_view) override {}
    void text_screen(const std::vector<std::string>& lines, bool wait_for_key) override;
    void alert_box(const std::vector<std::string>& lines) override;
    void fatal_error_box(const std::vector<std::string>& lines) override;
    void job_block(const JobBlockInfo& info) override;
    void job_ends(bool completed) override;
    // The name written, on a line of its own on the standard output.
    void result_written(std::string_view path) override;
    bool wrote_result() const { return wrote_result_; }

    // A failure of this file that no other message reported.
    void failure(const std::string& text);
    bool reported_failure() const { return failures_ > 0; }
    // Source bytes announced for this file (so the bar reaches its end).
    void expect(int64_t bytes);

private:
    void report(bool failure, std::vector<std::string> lines);

    Console& console_;
    std::string label_;
    bool labelled_ = false;
    std::string last_info_;
    int failures_ = 0;
    bool wrote_result_ = false;
    int64_t expected_ = 0;
    int64_t reported_ = 0;
    double reported_audio_ = 0.0;
};

}  // namespace sc::cli
