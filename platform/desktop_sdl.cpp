// The desktop through SDL2: its window and audio output, and the desktop's
// own file chooser (zenity, kdialog).
#include "platform/desktop.h"
#include "platform/desktop_file_dialog.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_window.h"

namespace sc::platform {

namespace {

// The media commands on SDL's audio output, which it keeps.
class SdlMedia final : public MediaControl {
public:
    explicit SdlMedia(FileSystem& fs) : device_(make_sdl_audio_device()), media_(*device_, fs) {}
    std::string send(const std::string& command) override { return media_.send(command); }

private:
    std::unique_ptr<AudioDevice> device_;
    DeviceMedia media_;
};

}  // namespace

std::unique_ptr<Window> make_desktop_window(std::string& error) { return make_sdl_window(error); }

std::unique_ptr<MediaControl> make_desktop_media(FileSystem& fs) { return std::make_unique<SdlMedia>(fs); }

std::unique_ptr<FileDialog> make_desktop_file_dialog(FileDialog& drawn, Environment& env, Processes& processes) {
    return std::make_unique<DesktopFileDialog>(drawn, env, processes);
}

void leave_own_console() {}

}  // namespace sc::platform
