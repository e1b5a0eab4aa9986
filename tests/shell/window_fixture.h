// The application on a scripted window: the real window view and panel, the
// virtual clock, and a scripted file dialog.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "platform/file_dialog.h"
#include "platform/keys.h"
#include "platform/scripted_window.h"
#include "settings/program_exit.h"
#include "shell/application.h"
#include "tests/shell/shell_fakes.h"
#include "tests/ui/screen_text.h"
#include "ui/window_view.h"

namespace sc::test {

class WindowApp : public ::testing::Test {
protected:
    WindowApp() {
        window.pointer_at(0, 400, 130);  // rests on an empty spot of the panel
        view.attach(app.params, app.state);
        view.on_close([this] { app.ORDENTLICH_ENDE(); });
        app.startup({});
    }
    PlatformServices services() {
        return {platform::real_file_system(), fp.clock, fp.env, fp.processes, &dialog};
    }
    double now() { return window.clock().timer(); }
    std::string text(int row, int column, int n) { return screen_text(window.shown(), row, column, n); }
    std::string info1(int n) { return text(46, 3, n); }
    std::string info2(int n) { return text(48, 3, n); }

    // Runs the main loop until the window's close button, `seconds` from now.
    void run_for(double seconds) {
        window.key_at(now() + seconds, platform::KEY_CLOSE);
        try {
            app.main_loop();
            FAIL() << "the main loop returned";
        } catch (const ProgramExit& e) {
            EXPECT_EQ(e.code, 0);
        }
    }
    // A click at (x, y) held from `at` for 0.2 s (1 left, 2 right, 3 both),
    // the pointer staying there.
    void click_at(double at, int x, int y, int buttons) {
        window.pointer_at(at, x, y, buttons);
        window.pointer_at(at + 0.2, x, y, 0);
    }

    FakePlatform fp;
    platform::ScriptedWindow window{&fp.clock};
    ScriptedDialog dialog;
    ui::WindowView view{window};
    Application app{view, services()};
};

}  // namespace sc::test
