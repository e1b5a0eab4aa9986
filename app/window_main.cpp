#include "app/window_main.h"

#include <cstdio>
#include <memory>

#include "platform/desktop.h"
#include "platform/keys.h"
#include "platform/media_control.h"
#include "platform/scripted_audio.h"
#include "platform/png_image.h"
#include "platform/scripted_window.h"
#include "shell/application.h"
#include "settings/program_exit.h"
#include "ui/file_dialog_view.h"
#include "ui/window_view.h"

namespace sc {

bool parse_window_options(const std::vector<std::string>& args, WindowOptions& out, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--screenshot" || a == "--lang") {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            const std::string& v = args[++i];
            if (a == "--screenshot") {
                out.screenshot = v;
            } else if (v == "de" || v == "en") {
                out.language = v == "de" ? LANGUAGE_DE : LANGUAGE_EN;
            } else {
                error = "--lang takes de or en, not \"" + v + "\"";
                return false;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a + " (see --help)";
            return false;
        } else {
            out.files.push_back(a);
        }
    }
    return true;
}

int run_window(const WindowOptions& options) {
    std::string why;
    if (options.screenshot.empty()) platform::leave_own_console();
    std::unique_ptr<platform::Window> window = platform::make_desktop_window(why);
    if (!window) {
        if (options.screenshot.empty()) {
            std::fprintf(stderr,
                         "sonoclamper: no display to open the window on (%s); "
                         "files are processed without a window with --process (see --help).\n",
                         why.c_str());
            return 1;
        }
        // A picture needs no display: draw into memory.
        window = std::make_unique<platform::ScriptedWindow>();
    }

    // The sound of the desktop behind the media control commands; a picture
    // only needs none.
    platform::ScriptedAudioDevice silent(platform::real_clock());
    silent.sound = false;
    std::unique_ptr<platform::MediaControl> media;
    if (options.screenshot.empty()) media = platform::make_desktop_media(platform::real_file_system());
    if (!media) media = std::make_unique<platform::DeviceMedia>(silent, platform::real_file_system());

    ui::WindowView view(*window);
    platform::WindowClock clock(*window);
    ui::DrawnFileDialog drawn_dialog(view);
    std::unique_ptr<platform::FileDialog> desktop_dialog =
        platform::make_desktop_file_dialog(drawn_dialog, platform::real_environment(), platform::real_processes());
    platform::FileDialog& dialog = desktop_dialog ? *desktop_dialog : drawn_dialog;
    PlatformServices services{platform::real_file_system(), clock, platform::real_environment(),
                              platform::real_processes()};
    services.media = media.get();
    services.dialog = &dialog;
    Application app(view, services);
    view.attach(app.params, app.state);
    // during a job the job ends first, as STOP ends it
    view.on_close([&app] { app.window_closed(); });

    try {
        try {
            app.startup(options.files);
        } catch (const RunTimeError& e) {
            std::fprintf(stderr, "sonoclamper: %s\n", e.what.c_str());
            return 1;
        }
        if (options.language) {
            app.state.LANGUAGE = *options.language;
            app.D__DECKELZEIGEN();
        }
        if (!options.screenshot.empty()) {
            window->show_now();
            if (!platform::write_png(options.screenshot, platform::image_of(window->frame()))) {
                std::fprintf(stderr, "sonoclamper: cannot write %s\n", options.screenshot.c_str());
                return 1;
            }
            return 0;
        }
        app.main_loop();
        return 0;
    } catch (const ProgramExit& e) {
        return e.code;
    }
}

}  // namespace sc
