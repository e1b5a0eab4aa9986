#include "platform/scripted_window.h"

#include <algorithm>

namespace sc::platform {

ScriptedWindow::ScriptedWindow(VirtualClock* clock)
    : own_clock_(clock ? nullptr : std::make_unique<VirtualClock>()), clock_(clock ? clock : own_clock_.get()) {}

bool ScriptedWindow::open(int width, int height, int bits_per_pixel, int /*pages*/) {
    if (refuse_open_ || width != SCREEN_WIDTH || height != SCREEN_HEIGHT || bits_per_pixel != 8) return false;
    opened_ = true;
    return true;
}

std::string ScriptedWindow::inkey() {
    show_now();
    const double now = clock_->timer();
    if (keys_.empty() || keys_.front().at > now) return {};
    std::string k = std::move(keys_.front().key);
    keys_.pop_front();
    return k;
}

bool ScriptedWindow::key_down(int scan_code) {
    show_now();
    const double now = clock_->timer();
    return std::any_of(holds_.begin(), holds_.end(),
                       [&](const Hold& h) { return h.scan == scan_code && h.from <= now && now < h.to; });
}

void ScriptedWindow::advance_pointer() {
    const double now = clock_->timer();
    while (!pointer_script_.empty() && pointer_script_.front().at <= now) {
        const PointerState next = pointer_script_.front().state;
        pointer_.x = next.x;
        pointer_.y = next.y;
        pointer_.pressed |= next.buttons & ~pointer_.buttons;
        pointer_.buttons = next.buttons;
        pointer_.wheel += next.wheel;
        pointer_script_.pop_front();
    }
}

PointerState ScriptedWindow::pointer() {
    PointerState p = pointer_position();
    p.pressed = pointer_.pressed;
    p.wheel = pointer_.wheel;
    pointer_.wheel = 0;
    pointer_.pressed = 0;
    return p;
}

PointerState ScriptedWindow::pointer_position() {
    show_now();
    advance_pointer();
    PointerState p;
    p.x = pointer_.x;
    p.y = pointer_.y;
    p.buttons = pointer_.buttons;
    return p;
}

void ScriptedWindow::move_pointer(int x, int y) {
    advance_pointer();
    pointer_.x = std::clamp(x, 0, SCREEN_WIDTH - 1);
    pointer_.y = std::clamp(y, 0, SCREEN_HEIGHT - 1);
    moves_.emplace_back(pointer_.x, pointer_.y);
}

void ScriptedWindow::pause_ms(int ms) {
    show_now();
    clock_->sleep_ms(ms);
}

void ScriptedWindow::key_at(double at, std::string key) {
    const auto pos = std::upper_bound(keys_.begin(), keys_.end(), at,
                                      [](double t, const TimedKey& k) { return t < k.at; });
    keys_.insert(pos, TimedKey{at, std::move(key)});
}

void ScriptedWindow::hold_at(double from, double to, int scan_code) { holds_.push_back({from, to, scan_code}); }

void ScriptedWindow::pointer_at(double at, int x, int y, int buttons, int wheel) {
    const auto pos = std::upper_bound(pointer_script_.begin(), pointer_script_.end(), at,
                                      [](double t, const TimedPointer& p) { return t < p.at; });
    pointer_script_.insert(pos, TimedPointer{at, PointerState{x, y, wheel, buttons}});
}

void ScriptedWindow::drop_at(double at, std::vector<std::string> files) {
    const auto pos = std::upper_bound(drops_.begin(), drops_.end(), at,
                                      [](double t, const TimedDrop& d) { return t < d.at; });
    drops_.insert(pos, TimedDrop{at, std::move(files)});
}

std::vector<std::string> ScriptedWindow::take_dropped_files() {
    if (drops_.empty() || drops_.front().at > clock_->timer()) return {};
    std::vector<std::string> files = std::move(drops_.front().files);
    drops_.pop_front();
    return files;
}

void ScriptedWindow::present(const Framebuffer& frame) {
    *shown_ = frame;
    ++presents_;
}

}  // namespace sc::platform
