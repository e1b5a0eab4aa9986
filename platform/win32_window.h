// The real window on Windows, through the Win32 API.
#pragma once

#include <memory>
#include <string>

#include "platform/window.h"

namespace sc::platform {

// The Win32 window, not yet open; nullptr with the reason in `error` when
// the window class cannot be registered.
std::unique_ptr<Window> make_win32_window(std::string& error);

}  // namespace sc::platform
