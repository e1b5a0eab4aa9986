#include "app/cli_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "app/cli_texts.h"
#include "platform/console.h"
#include "settings/text.h"

namespace sc::cli {

namespace {

std::string clock_text(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    char buf[32];
    if (s >= 3600) std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
    return buf;
}

// The name cut in its middle to n characters.
std::string fit_name(const std::string& name, std::size_t n) {
    const std::size_t length = utf8_length(name);
    if (length <= n) return name;
    if (n <= 3) return utf8_tail(name, n);
    const std::size_t tail = (n - 3) / 2 + (n - 3) % 2;
    return utf8_head(name, n - 3 - tail) + "..." + utf8_tail(name, tail);
}

}  // namespace

std::size_t terminal_width() {
    if (const std::size_t columns = platform::terminal_columns()) return columns;
    if (const char* c = std::getenv("COLUMNS")) {
        const long n = std::strtol(c, nullptr, 10);
        if (n > 0 && n < 10000) return static_cast<std::size_t>(n);
    }
    return 80;
}

Console::Console(std::ostream& out, std::ostream& err, bool progress, int16_t language)
    : out_(out), err_(err), progress_(progress), language_(language) {}

std::string Console::progress_line(const std::string& name, double part, double speed, double seconds_left,
                                   std::size_t width, int16_t language) {
    char percent[16];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(std::clamp(part, 0.0, 1.0) * 100.0));
    std::string tail = std::string("  ") + percent;
    if (speed > 0) {
        char s[32];
        std::snprintf(s, sizeof s, "  %.0fx", speed);
        tail += s;
    }
    if (seconds_left >= 0) tail += "  " + say(texts::TIME_LEFT, language, {clock_text(seconds_left)});
    // One column stays free: a line that fills the last one wraps in some terminals.
    const std::size_t room = width > 1 ? width - 1 : 0;
    constexpr std::size_t BAR = 20;
    std::string bar;
    if (room >= BAR + 2 + 24 + utf8_length(tail)) {
        const auto filled = static_cast<std::size_t>(std::clamp(part, 0.0, 1.0) * BAR);
        bar = "[" + std::string(filled, '#') + std::string(BAR - filled, '-') + "] ";
    }
    const std::size_t used = utf8_length(bar) + utf8_length(tail);
    if (room <= used) return utf8_head(fit_name(name, room), room);
    return bar + fit_name(name, room - used) + tail;
}

void Console::print(bool to_err, const std::string& text) {
    if (text.empty()) return;
    std::lock_guard lock(mutex_);
    clear_locked();
    std::ostream& os = to_err ? err_ : out_;
    os << text;
    if (text.back() != '\n') os << '\n';
    os.flush();
}

int Console::begin_file(const std::string& name, int64_t bytes) {
    std::lock_guard lock(mutex_);
    std::size_t i = 0;
    while (i < slots_.size() && slots_[i].used) ++i;
    if (i == slots_.size()) slots_.emplace_back();
    slots_[i] = Slot{name, bytes, 0, 0.0, std::chrono::steady_clock::now(), true};
    return static_cast<int>(i);
}

void Console::advance(int slot, int64_t done_bytes, double audio_seconds) {
    std::lock_guard lock(mutex_);
    if (slot < 0 || slot >= static_cast<int>(slots_.size())) return;
    slots_[slot].done = done_bytes;
    slots_[slot].audio_seconds = audio_seconds;
}

void Console::end_file(int slot) {
    std::lock_guard lock(mutex_);
    if (slot >= 0 && slot < static_cast<int>(slots_.size())) slots_[slot].used = false;
}

void Console::draw_progress() {
    if (!progress_) return;
    std::lock_guard lock(mutex_);
    const std::size_t width = terminal_width();
    const auto now = std::chrono::steady_clock::now();
    std::string text;
    int lines = 0;
    for (const auto& s : slots_) {
        if (!s.used) continue;
        const double elapsed = std::chrono::duration<double>(now - s.start).count();
        const double part = s.bytes > 0 ? static_cast<double>(s.done) / static_cast<double>(s.bytes) : 0.0;
        const double speed = elapsed > 0.2 ? s.audio_seconds / elapsed : 0.0;
        const double left = elapsed > 0.5 && part > 0.0 ? elapsed * (1.0 - part) / part : -1.0;
        text += (lines ? "\n" : "") + std::string("\r\033[K") + progress_line(s.name, part, speed, left, width, language_);
        ++lines;
    }
    clear_locked();
    if (lines == 0) return;
    err_ << text << std::flush;
    lines_shown_ = lines;
}

void Console::clear_progress() {
    std::lock_guard lock(mutex_);
    clear_locked();
}

void Console::clear_locked() {
    if (lines_shown_ == 0) return;
    std::string text;
    if (lines_shown_ > 1) text += "\033[" + std::to_string(lines_shown_ - 1) + "A";
    for (int i = 0; i < lines_shown_; ++i) text += (i ? "\n" : "") + std::string("\r\033[K");
    if (lines_shown_ > 1) text += "\033[" + std::to_string(lines_shown_ - 1) + "A";
    text += "\r";
    err_ << text << std::flush;
    lines_shown_ = 0;
}

}  // namespace sc::cli
