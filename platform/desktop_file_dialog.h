// The desktop's own file chooser (zenity or kdialog) where the desktop has
// one, with the program's title, filters and start folder; the window's
// drawn dialog where it has none, or when the chooser fails to run.
//
// SONOCLAMPER_DIALOG=drawn always takes the drawn dialog; =zenity or
// =kdialog takes only that chooser.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/process.h"

namespace sc::platform {

inline constexpr const char* DIALOG_CHOICE_VARIABLE = "SONOCLAMPER_DIALOG";

struct ChooserCommand {
    std::string program;  // "zenity" or "kdialog"
    std::vector<std::string> args;
};

// The argument vectors of the two choosers for a request (the selected
// filter first; the patterns in lower, upper and capitalised case, since
// the choosers match case).
ChooserCommand zenity_command(const FileDialogRequest& request);
ChooserCommand kdialog_command(const FileDialogRequest& request);

// Runs a program with an argument vector (never a shell) and collects its
// standard output; returns its exit code, -1 when it could not be run.
using CapturingRun =
    std::function<int(const std::string& program, const std::vector<std::string>& args, std::string& output)>;
int run_capturing(const std::string& program, const std::vector<std::string>& args, std::string& output);

class DesktopFileDialog final : public FileDialog {
public:
    DesktopFileDialog(FileDialog& drawn, Environment& env, Processes& processes, CapturingRun run = run_capturing)
        : drawn_(drawn), env_(env), processes_(processes), run_(std::move(run)) {}

    std::string choose(const FileDialogRequest& request) override;

private:
    // The chooser to use: "" for the drawn dialog.
    std::string pick_chooser();

    FileDialog& drawn_;
    Environment& env_;
    Processes& processes_;
    CapturingRun run_;
    bool chooser_failed_ = false;
};

}  // namespace sc::platform
