// The desktop's file chooser: its argument vectors, when it is used, and
// the fall-back to the drawn dialog.
#include "platform/desktop_file_dialog.h"

#include <gtest/gtest.h>

#include <map>

namespace sc::platform {
namespace {

FileDialogRequest request(int filter = 1) {
    FileDialogRequest r;
    r.title = "OPEN FILE (WAV and MP3)";
    r.filters = {{"Audio Dateien (*.WAV)", "*.WAV"}, {"Audio Dateien (*.MP3)", "*.MP3"}};
    r.filter_index = filter;
    r.initial_folder = "/music/new";
    return r;
}

class Env : public Environment {
public:
    std::map<std::string, std::string> vars{{"DISPLAY", ":0"}};
    std::optional<std::string> get(const std::string& name) override {
        auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    }
    std::string program_path() override { return "/opt/sonoclamper"; }
    std::optional<uint64_t> free_memory() override { return std::nullopt; }
};

class Programs : public Processes {
public:
    std::map<std::string, std::string> installed{{"zenity", "/usr/bin/zenity"}, {"kdialog", "/usr/bin/kdialog"}};
    int run(const std::string&, const std::vector<std::string>&) override { return -1; }
    std::string find_program(const std::string& name, const std::string&) override {
        auto it = installed.find(name);
        return it == installed.end() ? std::string() : it->second;
    }
};

class Drawn : public FileDialog {
public:
    int calls = 0;
    std::string choose(const FileDialogRequest&) override {
        ++calls;
        return "/drawn.wav";
    }
};

// Records the chooser runs and answers with a scripted exit code and output.
struct Runner {
    std::vector<std::string> programs;
    std::vector<std::string> last_args;
    int code = 0;
    std::string output;
    CapturingRun fn() {
        return [this](const std::string& p, const std::vector<std::string>& a, std::string& out) {
            programs.push_back(p);
            last_args = a;
            out = output;
            return code;
        };
    }
};

TEST(DesktopChooser, ArgumentVectorsCarryTitleFolderAndFiltersSelectedFirst) {
    const ChooserCommand z = zenity_command(request(2));
    EXPECT_EQ(z.program, "zenity");
    EXPECT_EQ(z.args, (std::vector<std::string>{"--file-selection", "--title=OPEN FILE (WAV and MP3)",
                                                 "--filename=/music/new/",
                                                 "--file-filter=Audio Dateien (*.MP3) | *.mp3 *.MP3 *.Mp3",
                                                 "--file-filter=Audio Dateien (*.WAV) | *.wav *.WAV *.Wav"}));
    FileDialogRequest save = request(1);
    save.save = true;
    EXPECT_EQ(zenity_command(save).args.at(2), "--save");

    const ChooserCommand k = kdialog_command(request(1));
    EXPECT_EQ(k.program, "kdialog");
    EXPECT_EQ(k.args, (std::vector<std::string>{"--title", "OPEN FILE (WAV and MP3)", "--getopenfilename",
                                                 "/music/new/",
                                                 "*.wav *.WAV *.Wav|Audio Dateien (*.WAV)\n"
                                                 "*.mp3 *.MP3 *.Mp3|Audio Dateien (*.MP3)"}));
}

TEST(DesktopChooser, ChosenPathOrCancelComeFromTheChooser) {
    Env env;
    Programs programs;
    Drawn drawn;
    Runner runner;
    DesktopFileDialog dialog(drawn, env, programs, runner.fn());
    runner.output = "/music/new/song one.wav\n";
    EXPECT_EQ(dialog.choose(request()), "/music/new/song one.wav");
    EXPECT_EQ(runner.programs, std::vector<std::string>{"/usr/bin/zenity"});
    runner.code = 1;  // cancelled
    runner.output.clear();
    EXPECT_EQ(dialog.choose(request()), "");
    EXPECT_EQ(drawn.calls, 0);

    env.vars["XDG_CURRENT_DESKTOP"] = "KDE";
    runner.code = 0;
    runner.output = "/a.wav\n";
    EXPECT_EQ(dialog.choose(request()), "/a.wav");
    EXPECT_EQ(runner.programs.back(), "/usr/bin/kdialog");
}

TEST(DesktopChooser, DrawnDialogWhenForcedWithoutDisplayOrChooserOrWhenTheChooserFails) {
    Env env;
    Programs programs;
    Drawn drawn;
    Runner runner;
    {
        env.vars[DIALOG_CHOICE_VARIABLE] = "drawn";
        DesktopFileDialog dialog(drawn, env, programs, runner.fn());
        EXPECT_EQ(dialog.choose(request()), "/drawn.wav");
        env.vars.erase(DIALOG_CHOICE_VARIABLE);
    }
    {
        env.vars.erase("DISPLAY");
        DesktopFileDialog dialog(drawn, env, programs, runner.fn());
        EXPECT_EQ(dialog.choose(request()), "/drawn.wav");
        env.vars["WAYLAND_DISPLAY"] = "wayland-0";
        runner.output = "/w.wav";
        EXPECT_EQ(dialog.choose(request()), "/w.wav");
    }
    {
        programs.installed.clear();
        DesktopFileDialog dialog(drawn, env, programs, runner.fn());
        EXPECT_EQ(dialog.choose(request()), "/drawn.wav");
    }
    programs.installed = {{"kdialog", "/usr/bin/kdialog"}};
    env.vars[DIALOG_CHOICE_VARIABLE] = "zenity";  // only that one
    EXPECT_EQ(DesktopFileDialog(drawn, env, programs, runner.fn()).choose(request()), "/drawn.wav");
    env.vars.erase(DIALOG_CHOICE_VARIABLE);

    const std::size_t runs = runner.programs.size();
    const int drawn_before = drawn.calls;
    DesktopFileDialog dialog(drawn, env, programs, runner.fn());
    runner.code = -1;  // could not start, or could not show itself
    EXPECT_EQ(dialog.choose(request()), "/drawn.wav");
    EXPECT_EQ(dialog.choose(request()), "/drawn.wav");
    EXPECT_EQ(runner.programs.size(), runs + 1);  // not tried again
    EXPECT_EQ(drawn.calls, drawn_before + 2);
}

TEST(DesktopChooser, CapturingRunCollectsTheOutputAndTheExitCode) {
    std::string out;
    EXPECT_EQ(run_capturing("/bin/echo", {"one", "two words"}, out), 0);
    EXPECT_EQ(out, "one two words\n");
    EXPECT_EQ(run_capturing("/bin/false", {}, out), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run_capturing("/no/such/program", {}, out), -1);
}

}  // namespace
}  // namespace sc::platform
