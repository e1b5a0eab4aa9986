// What the desktop windows share: their events, read by pump(), become a
// queue of keys, a latch of presses and a queue of dropped files, handed
// out one key, one pointer reading or one drop at a time.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/window.h"

namespace sc::platform {

class EventWindow : public Window {
public:
    std::string inkey() override {
        show_now();
        pump();
        if (keys_.empty()) return {};
        std::string k = std::move(keys_.front());
        keys_.pop_front();
        return k;
    }

    PointerState pointer() override {
        PointerState p = pointer_position();
        // A click that began and ended between two readings still counts once.
        p.buttons |= pressed_;
        p.pressed = pressed_;
        pressed_ = 0;
        p.wheel = take_wheel();
        return p;
    }

    std::vector<std::string> take_dropped_files() override {
        pump();
        if (drops_.empty()) return {};
        std::vector<std::string> files = std::move(drops_.front());
        drops_.pop_front();
        return files;
    }

protected:
    // Reads the waiting events of the system.
    virtual void pump() = 0;
    // Wheel steps since the last reading.
    virtual int take_wheel() = 0;

    std::deque<std::string> keys_;
    int pressed_ = 0;                             // buttons pressed since the last pointer reading
    std::deque<std::vector<std::string>> drops_;  // whole drops, not yet taken
};

}  // namespace sc::platform
