#include "app/cli_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace sc::cli {

namespace {

std::string rtrim(std::string_view s) {
    const auto end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(s.substr(0, end + 1));
}

// The lines that carry text, without trailing spaces.
std::vector<std::string> text_lines(std::initializer_list<std::string_view> lines) {
    std::vector<std::string> out;
    for (const auto l : lines)
        if (auto t = rtrim(l); !t.empty()) out.push_back(t);
    return out;
}

}  // namespace

Console::Console(std::ostream& out, std::ostream& err, bool quiet, bool progress_bar)
    : out_(out), err_(err), quiet_(quiet), progress_bar_(progress_bar) {}

void Console::print(bool failure, const std::vector<std::string>& lines) {
    if (lines.empty() || (quiet_ && !failure)) return;
    std::lock_guard lock(mutex_);
    if (bar_shown_) {
        err_ << "\r\033[K";
        bar_shown_ = false;
    }
    std::ostream& os = failure ? err_ : out_;
    for (const auto& l : lines) os << l << '\n';
    os.flush();
}

void Console::advance(int64_t bytes, double audio_seconds) {
    done_ += bytes;
    audio_ms_ += static_cast<int64_t>(std::llround(audio_seconds * 1000.0));
}

void Console::draw_progress(double elapsed) {
    if (!progress_bar_) return;
    const int64_t expected = std::max<int64_t>(expected_.load(), 1);
    const double part = std::clamp(static_cast<double>(done_.load()) / static_cast<double>(expected), 0.0, 1.0);
    const int width = 30;
    const int filled = static_cast<int>(part * width);
    char line[160];
    const double mb = static_cast<double>(done_.load()) / 1e6;
    const double speed = elapsed > 0 ? mb / elapsed : 0.0;
    const double rt = elapsed > 0 ? static_cast<double>(audio_ms_.load()) / 1000.0 / elapsed : 0.0;
    std::snprintf(line, sizeof line, "\r[%s%s] %3d%%  %7.1f MB/s  %6.0fx real time", std::string(filled, '#').c_str(),
                  std::string(width - filled, ' ').c_str(), static_cast<int>(part * 100.0), speed, rt);
    std::lock_guard lock(mutex_);
    err_ << line << std::flush;
    bar_shown_ = true;
}

void Console::clear_progress() {
    std::lock_guard lock(mutex_);
    if (bar_shown_) err_ << "\r\033[K" << std::flush;
    bar_shown_ = false;
}

void CliView::report(bool failure, std::vector<std::string> lines) {
    if (lines.empty()) return;
    if (failure) {
        ++failures_;
        if (!labelled_ && !label_.empty()) {
            lines.insert(lines.begin(), label_ + ":");
            labelled_ = true;
        }
    }
    console_.print(failure, lines);
}

void CliView::blink_hint(const HintMessage& hint, bool /*batch_running*/) {
    report(hint.kind == 2, text_lines({hint.line1, hint.line2, hint.tip}));
}

void CliView::info_text(std::string_view line1, std::string_view line2) {
    std::string both = std::string(line1) + '\n' + std::string(line2);
    if (both == last_info_) return;
    last_info_ = std::move(both);
    report(false, text_lines({line1, line2}));
}

void CliView::text_screen(const std::vector<std::string>& lines, bool /*wait_for_key*/) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (auto t = rtrim(l); !t.empty()) out.push_back(t);
    report(true, out);
}

void CliView::alert_box(const std::vector<std::string>& lines) { text_screen(lines, false); }

void CliView::fatal_error_box(const std::vector<std::string>& lines) { text_screen(lines, false); }

void CliView::job_block(const JobBlockInfo& info) {
    const int64_t delta = info.done_bytes - reported_;
    console_.advance(delta, info.audio_seconds - reported_audio_);
    reported_ = info.done_bytes;
    reported_audio_ = info.audio_seconds;
}

void CliView::job_ends(bool /*completed*/) {
    if (expected_ > reported_) console_.advance(expected_ - reported_, 0.0);
    reported_ = std::max(reported_, expected_);
}

void CliView::result_written(std::string_view path) {
    wrote_result_ = true;
    report(false, {std::string(path)});
}

void CliView::failure(const std::string& text) {
    report(true, {text});
}

void CliView::expect(int64_t bytes) {
    expected_ = bytes;
    console_.expect(bytes);
}

}  // namespace sc::cli
