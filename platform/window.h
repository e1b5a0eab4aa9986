// The graphics window and its input as the rest of the program sees them.
//
// Drawing goes into the window's framebuffer (ours, 8-bit indexed); the
// window shows it when drawing happened and the screen is not locked, at
// the latest at the next poll or pause. While the screen is locked nothing
// drawn is shown; unlocking shows it at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/framebuffer.h"

namespace sc::platform {

inline constexpr int BUTTON_LEFT_BIT = 1;
inline constexpr int BUTTON_RIGHT_BIT = 2;

struct PointerState {
    int x = 0;
    int y = 0;
    int wheel = 0;    // wheel steps since the last query, away from the user positive
    int buttons = 0;  // bit 1 left, bit 2 right: 1, 2, or 3 for both
    int pressed = 0;  // buttons pressed since the last query (same bits)
};

class Window {
public:
    virtual ~Window() = default;

    // Opens the window (800 x 525, 8-bit palette colour). False when the
    // platform cannot give that mode.
    virtual bool open(int width, int height, int bits_per_pixel, int pages) = 0;

    Framebuffer& frame() {
        dirty_ = true;
        return frame_;
    }
    const Framebuffer& frame() const { return frame_; }

    // The screen lock: drawing stays hidden until unlock shows it.
    void lock() { locked_ = true; }
    void unlock() {
        locked_ = false;
        show_now();
    }
    bool locked() const { return locked_; }

    // Shows what was drawn unless the screen is locked.
    void show_now() {
        if (dirty_ && !locked_) {
            present(frame_);
            dirty_ = false;
        }
    }

    // Input. Each poll shows pending drawing first.
    // The next key string (see keys.h), or "" when none is waiting.
    virtual std::string inkey() = 0;
    // Whether the key with this scan code is held now.
    virtual bool key_down(int scan_code) = 0;
    virtual PointerState pointer() = 0;
    // Where the pointer is now: presses and wheel turns since the last
    // pointer() stay for the next pointer(), which serves them as clicks.
    virtual PointerState pointer_position() = 0;

    virtual void move_pointer(int x, int y) = 0;
    virtual void show_pointer(bool visible) = 0;
    // The hand cursor over clickable fields; off gives the normal arrow.
    virtual void set_hand_cursor(bool on) = 0;
    virtual void set_title(const std::string& title) = 0;

    // Files dragged from a file manager and dropped onto the window. Each
    // call takes the next finished drop: its files as full UTF-8 paths, in
    // the order the desktop gave them (one drop of several files comes as
    // one list). Empty when no drop is waiting. Drops are collected
    // whenever the window reads input or pauses and wait here, in order,
    // until taken; whoever does not want them takes them and lets them go.
    virtual std::vector<std::string> take_dropped_files() { return {}; }

    // Pauses; drawing is shown first and input keeps arriving meanwhile.
    virtual void pause_ms(int ms) = 0;
    virtual Clock& clock() = 0;

protected:
    // Puts the framebuffer on the screen.
    virtual void present(const Framebuffer& frame) = 0;

private:
    Framebuffer frame_;
    bool dirty_ = true;
    bool locked_ = false;
};

// The window's clock as the rest of the program uses it: its pauses keep
// the window alive (input arrives, drawing is shown).
class WindowClock final : public Clock {
public:
    explicit WindowClock(Window& w) : window_(w) {}
    double timer() override { return window_.clock().timer(); }
    void sleep_ms(int ms) override { window_.pause_ms(ms); }

private:
    Window& window_;
};

// The screen lock with its owner marker: a routine locks only when no lock
// is held, records itself, and unlocks at its end only when it is the owner.
// Nested drawing therefore locks once.
class ScreenLock {
public:
    static constexpr uint8_t NONE = 0;
    static constexpr uint8_t GENERAL = 1;   // whole screens and the panel
    static constexpr uint8_t INFO_BOX = 2;
    static constexpr uint8_t KNOB = 3;

    explicit ScreenLock(Window& w) : window_(w) {}

    // True when this call took the lock.
    bool take(uint8_t owner) {
        if (owner_ != NONE || window_.locked()) return false;
        window_.lock();
        owner_ = owner;
        return true;
    }
    // Unlocks when owner holds the lock; true when it did.
    bool release(uint8_t owner) {
        if (owner_ != owner || owner == NONE) return false;
        owner_ = NONE;
        window_.unlock();
        return true;
    }
    uint8_t owner() const { return owner_; }

private:
    Window& window_;
    uint8_t owner_ = NONE;
};

// Holds the lock for one drawing routine.
class ScreenLockScope {
public:
    ScreenLockScope(ScreenLock& lock, uint8_t owner) : lock_(lock), owner_(owner), took_(lock_.take(owner_)) {}
    ~ScreenLockScope() {
        if (took_) lock_.release(owner_);
    }
    ScreenLockScope(const ScreenLockScope&) = delete;
    ScreenLockScope& operator=(const ScreenLockScope&) = delete;

private:
    ScreenLock& lock_;
    uint8_t owner_;
    bool took_;
};

}  // namespace sc::platform
