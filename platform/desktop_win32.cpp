// The desktop of Windows: the Win32 window, the media control interface
// and the common file dialogs.
#include <windows.h>

#include "platform/desktop.h"
#include "platform/mci_media.h"
#include "platform/win32_file_dialog.h"
#include "platform/win32_window.h"

namespace sc::platform {

std::unique_ptr<Window> make_desktop_window(std::string& error) { return make_win32_window(error); }

std::unique_ptr<MediaControl> make_desktop_media(FileSystem& /*fs*/) { return make_mci_media(); }

std::unique_ptr<FileDialog> make_desktop_file_dialog(FileDialog& /*drawn*/, Environment& /*env*/,
                                                     Processes& /*processes*/) {
    return make_win32_file_dialog(nullptr);
}

// The program is a console program, so that the command line waits for it
// and sees its output and exit code. Started from the desktop, Windows
// opens a console for it alone; the window has no use for that one. A
// console shared with a command prompt stays.
void leave_own_console() {
    DWORD processes[2];
    if (::GetConsoleWindow() != nullptr && ::GetConsoleProcessList(processes, 2) == 1) ::FreeConsole();
}

}  // namespace sc::platform
