// A window for tests: the framebuffer stays in memory, keys and pointer
// moves come from a script, and every pause only advances a virtual clock.
#pragma once

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/window.h"

namespace sc::platform {

class ScriptedWindow final : public Window {
public:
    // Uses its own virtual clock when none is given.
    explicit ScriptedWindow(VirtualClock* clock = nullptr);

    bool open(int width, int height, int bits_per_pixel, int pages) override;

    std::string inkey() override;
    bool key_down(int scan_code) override;
    PointerState pointer() override;
    PointerState pointer_position() override;
    void move_pointer(int x, int y) override;
    void show_pointer(bool visible) override { pointer_visible_ = visible; }
    void set_hand_cursor(bool on) override { hand_cursor_ = on; }
    void set_title(const std::string& title) override { title_ = title; }
    void pause_ms(int ms) override;
    Clock& clock() override { return *clock_; }
    std::vector<std::string> take_dropped_files() override;

    // --- the script: each entry takes effect once the clock reaches `at` (s).
    void key_at(double at, std::string key);
    void key(std::string k) { key_at(0.0, std::move(k)); }
    // The key with this scan code is held from `from` until before `to`.
    void hold_at(double from, double to, int scan_code);
    void pointer_at(double at, int x, int y, int buttons = 0, int wheel = 0);
    // These files are dropped onto the window at `at`.
    void drop_at(double at, std::vector<std::string> files);
    // Refuses to open, as a machine without that mode would.
    void refuse_open() { refuse_open_ = true; }

    // --- what happened.
    bool opened() const { return opened_; }
    int presents() const { return presents_; }
    // The picture as last shown (not what is drawn behind a lock).
    const Framebuffer& shown() const { return *shown_; }
    const std::string& title() const { return title_; }
    bool pointer_visible() const { return pointer_visible_; }
    bool hand_cursor() const { return hand_cursor_; }
    const std::vector<std::pair<int, int>>& pointer_moves() const { return moves_; }

protected:
    void present(const Framebuffer& frame) override;

private:
    struct TimedKey {
        double at;
        std::string key;
    };
    struct Hold {
        double from, to;
        int scan;
    };
    struct TimedDrop {
        double at;
        std::vector<std::string> files;
    };
    struct TimedPointer {
        double at;
        PointerState state;
    };
    void advance_pointer();

    std::unique_ptr<VirtualClock> own_clock_;
    VirtualClock* clock_;
    std::deque<TimedKey> keys_;
    std::vector<Hold> holds_;
    std::deque<TimedPointer> pointer_script_;
    std::deque<TimedDrop> drops_;
    PointerState pointer_;
    std::unique_ptr<Framebuffer> shown_ = std::make_unique<Framebuffer>();
    std::vector<std::pair<int, int>> moves_;
    std::string title_;
    bool opened_ = false;
    bool refuse_open_ = false;
    bool pointer_visible_ = true;
    bool hand_cursor_ = false;
    int presents_ = 0;
};

}  // namespace sc::platform
