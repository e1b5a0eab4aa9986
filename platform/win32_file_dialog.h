// The common file dialogs of Windows behind the file dialog interface.
#pragma once

#include <memory>

#include "platform/file_dialog.h"

namespace sc::platform {

// Dialogs owned by the given window handle (nullptr: the active window).
std::unique_ptr<FileDialog> make_win32_file_dialog(void* owner);

}  // namespace sc::platform
