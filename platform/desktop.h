// The desktop the program's window lives on, as this build has it: the
// window, the sound behind the media commands and the file chooser. The
// build picks one implementation (SDL, Win32, or none).
#pragma once

#include <memory>
#include <string>

#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/media_control.h"
#include "platform/process.h"
#include "platform/window.h"

namespace sc::platform {

// The window, not yet open; nullptr with the reason in `error` when there
// is no display to put it on.
std::unique_ptr<Window> make_desktop_window(std::string& error);

// The media commands carried out on the desktop's sound; nullptr when the
// build has none.
std::unique_ptr<MediaControl> make_desktop_media(FileSystem& fs);

// The desktop's own file chooser in front of the window's drawn dialog;
// nullptr when the drawn dialog is all there is.
std::unique_ptr<FileDialog> make_desktop_file_dialog(FileDialog& drawn, Environment& env, Processes& processes);

// Called before the window opens: a console that was opened only for this
// program (a window started from the desktop) is let go.
void leave_own_console();

}  // namespace sc::platform
