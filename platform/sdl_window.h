// The real window on the desktop, through SDL2.
#pragma once

#include <memory>
#include <string>

#include "platform/window.h"

namespace sc::platform {

// The SDL window, not yet open; nullptr with the reason in `error` when the
// machine has no display.
std::unique_ptr<Window> make_sdl_window(std::string& error);

}  // namespace sc::platform
