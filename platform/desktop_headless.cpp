// A build without a window: pictures of the window are all it can make.
#include "platform/desktop.h"

namespace sc::platform {

std::unique_ptr<Window> make_desktop_window(std::string& error) {
    error = "built without a window";
    return nullptr;
}

std::unique_ptr<MediaControl> make_desktop_media(FileSystem& /*fs*/) { return nullptr; }

std::unique_ptr<FileDialog> make_desktop_file_dialog(FileDialog& /*drawn*/, Environment& /*env*/,
                                                     Processes& /*processes*/) {
    return nullptr;
}

void leave_own_console() {}

}  // namespace sc::platform
