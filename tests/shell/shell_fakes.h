// Fakes of the platform and of the view for the shell's tests.
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/platform_services.h"
#include "settings/view.h"

namespace sc::test {

// The user's configuration folder of a test, so that the user setups file of
// a test never lands outside the temporary folder: a fresh name, removed at
// the end (the program creates the folder when it first saves).
class ConfigHome {
public:
    ConfigHome() {
        std::random_device rd;
        path_ = (std::filesystem::temp_directory_path() / ("sc-config-" + std::to_string(rd()) + std::to_string(rd())))
                    .string();
    }
    ConfigHome(const ConfigHome&) : ConfigHome() {}
    ConfigHome& operator=(const ConfigHome&) { return *this; }
    ~ConfigHome() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

class FakeEnvironment : public platform::Environment {
public:
    // (APPDATA: where Windows keeps the setups file when the program's
    // folder, missing here, takes no files)
    FakeEnvironment() { vars["XDG_CONFIG_HOME"] = vars["APPDATA"] = config_home.path(); }
    ConfigHome config_home;
    std::map<std::string, std::string> vars;
    std::string program = "/opt/tools/sonoclamper";
    std::optional<std::string> get(const std::string& name) override {
        auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    }
    std::string program_path() override { return program; }
    std::optional<uint64_t> free_memory() override { return 1024ull * 1024 * 1024; }
};

class FakeProcesses : public platform::Processes {
public:
    std::map<std::string, std::string> installed;  // name -> path
    std::vector<std::vector<std::string>> runs;
    int exit_code = 0;
    int run(const std::string& program, const std::vector<std::string>& args) override {
        std::vector<std::string> call{program};
        call.insert(call.end(), args.begin(), args.end());
        runs.push_back(call);
        return exit_code;
    }
    std::string find_program(const std::string& name, const std::string& /*folder*/) override {
        auto it = installed.find(name);
        return it == installed.end() ? std::string() : it->second;
    }
};

// Records what the logic shows.
class EventView : public View {
public:
    std::vector<std::string> events;
    void blink_hint(const HintMessage& h, bool batch) override {
        events.push_back("hint" + std::to_string(h.kind) + (batch ? " batch" : "") + ": " + h.line1 + " | " + h.line2);
    }
    void info_text(std::string_view a, std::string_view b) override {
        events.push_back("info: " + std::string(a) + " | " + std::string(b));
    }
    void text_screen(const std::vector<std::string>& lines, bool wait) override {
        std::string all = wait ? "screen+key:" : "screen:";
        for (const auto& l : lines) all += "\n" + l;
        events.push_back(all);
    }
    void redraw_panel() override { events.push_back("panel"); }
    void alert_box(const std::vector<std::string>& lines) override {
        std::string all = "alert:";
        for (const auto& l : lines) all += " [" + l + "]";
        events.push_back(all);
    }
    void fatal_error_box(const std::vector<std::string>& lines) override {
        std::string all = "fatal:";
        for (const auto& l : lines) all += " [" + l + "]";
        events.push_back(all);
    }
    void open_screen() override { events.push_back("open screen"); }
    void set_window_title(std::string_view t) override { events.push_back("title: " + std::string(t)); }
};

// Answers each file dialog with the next of `answers`, then with `answer`
// ("" = cancel), and keeps the requests.
class ScriptedDialog : public platform::FileDialog {
public:
    std::deque<std::string> answers;
    std::string answer;
    std::vector<platform::FileDialogRequest> requests;
    std::string choose(const platform::FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return answer;
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct FakePlatform {
    platform::VirtualClock clock;
    FakeEnvironment env;
    FakeProcesses processes;
    PlatformServices services() { return {platform::real_file_system(), clock, env, processes}; }
};

}  // namespace sc::test
