// The name prompt of a user setup in the real window view, driven by keys
// on the scripted window and read back from its pixels.
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "platform/scripted_window.h"
#include "settings/user_setups_file.h"
#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"
#include "tests/ui/screen_text.h"
#include "ui/window_view.h"

namespace sc {
namespace {

class SetupPrompt : public ::testing::Test {
protected:
    SetupPrompt() {
        fp.env.vars["XDG_CONFIG_HOME"] = config.folder();
        view.attach(app.params, app.state);
        app.startup({});
    }
    std::string text(int row, int column, int n) { return test::screen_text(window.shown(), row, column, n); }
    // Keys from now on, one every 0.1 s.
    void keys(const std::vector<std::string>& ks) {
        double at = fp.clock.timer();
        for (const auto& k : ks) window.key_at(at += 0.1, k);
    }
    std::string file() const { return config.path("sonoclamper/SONOCLAMPER-SETUP-308"); }

    test::TempDir config;
    test::FakePlatform fp;
    platform::ScriptedWindow window{&fp.clock};
    ui::WindowView view{window};
    Application app{view, fp.services()};
};

TEST_F(SetupPrompt, ShowsThePromptAndTheFieldWithItsCursor) {
    app.state.LANGUAGE = LANGUAGE_EN;
    keys({"A", "b", platform::extended_key(platform::ext::LEFT), "\x84", platform::KEY_CLOSE});
    EXPECT_THROW(app.USER_SETUP_SPEICHERN(5), ProgramExit);
    EXPECT_EQ(text(46, 6, 84),
              "Enter Name of User Setup Nr5. Only 30 charakters.           [Esc] Exit without save ");
    EXPECT_EQ(text(48, 66, 30), " [ENTER] save current setting.");
    EXPECT_EQ(text(48, 6, 30), "Aä_" + std::string(27, ' '));
}

TEST_F(SetupPrompt, TheCursorBlinks) {
    keys({"x"});
    window.key_at(fp.clock.timer() + 0.1 + 0.6, platform::KEY_CLOSE);  // in the cursor's dark phase
    EXPECT_THROW(app.USER_SETUP_SPEICHERN(1), ProgramExit);
    EXPECT_EQ(text(48, 6, 3), "x  ");
    EXPECT_EQ(text(46, 6, 29), "Tippe Name von User Setup Nr1");
    EXPECT_EQ(text(48, 66, 30), "[ENTER] Einstellung speichern.");
}

TEST_F(SetupPrompt, EnterSavesAndTheInfoLineSaysSo) {
    keys({"V", "o", "x", std::string(1, platform::KEY_BACKSPACE), "c", std::string(1, platform::KEY_ENTER)});
    app.USER_SETUP_SPEICHERN(9);
    EXPECT_EQ(text(46, 3, 22), " Setup ist gespeichert");
    const std::string bytes = test::read_file(file());
    EXPECT_EQ(bytes.substr(setups_file::record_at(9), 31), "Voc" + std::string(27, ' ') + "3");
}

}  // namespace
}  // namespace sc
