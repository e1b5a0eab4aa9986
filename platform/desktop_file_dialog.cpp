#include "platform/desktop_file_dialog.h"

#include <cctype>

#include "platform/folder_listing.h"

namespace sc::platform {

namespace {

// "*.WAV" -> "*.wav *.WAV *.Wav".
std::string case_variants(const std::string& pattern) {
    std::string lower = pattern, upper = pattern, capital = pattern;
    bool first_letter = true;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto c = static_cast<unsigned char>(pattern[i]);
        lower[i] = static_cast<char>(std::tolower(c));
        upper[i] = static_cast<char>(std::toupper(c));
        capital[i] = static_cast<char>(first_letter ? std::toupper(c) : std::tolower(c));
        if (std::isalpha(c)) first_letter = false;
    }
    std::string out = lower;
    if (upper != lower) out += " " + upper;
    if (capital != lower && capital != upper) out += " " + capital;
    return out;
}

// The filters with the selected one first.
std::vector<FileFilter> ordered_filters(const FileDialogRequest& r) {
    std::vector<FileFilter> out;
    const auto index = static_cast<std::size_t>(r.filter_index - 1);
    if (index < r.filters.size()) out.push_back(r.filters[index]);
    for (std::size_t i = 0; i < r.filters.size(); ++i)
        if (i != index) out.push_back(r.filters[i]);
    return out;
}

std::string start_folder(const FileDialogRequest& r) {
    return absolute_path(r.initial_folder.empty() ? "." : r.initial_folder);
}

std::string with_slash(const std::string& folder) { return folder.back() == '/' ? folder : folder + "/"; }

}  // namespace

ChooserCommand zenity_command(const FileDialogRequest& r) {
    ChooserCommand c{"zenity", {"--file-selection", "--title=" + r.title}};
    if (r.save) c.args.emplace_back("--save");
    c.args.push_back("--filename=" + with_slash(start_folder(r)));
    for (const FileFilter& f : ordered_filters(r))
        c.args.push_back("--file-filter=" + f.label + " | " + case_variants(f.pattern));
    return c;
}

ChooserCommand kdialog_command(const FileDialogRequest& r) {
    ChooserCommand c{"kdialog", {"--title", r.title, r.save ? "--getsavefilename" : "--getopenfilename",
                                 with_slash(start_folder(r))}};
    std::string filter;
    for (const FileFilter& f : ordered_filters(r)) {
        if (!filter.empty()) filter += "\n";
        filter += case_variants(f.pattern) + "|" + f.label;
    }
    c.args.push_back(filter);
    return c;
}

std::string DesktopFileDialog::pick_chooser() {
    const std::string choice = env_.get(DIALOG_CHOICE_VARIABLE).value_or("");
    if (choice == "drawn" || chooser_failed_) return {};
    const bool display = !env_.get("DISPLAY").value_or("").empty() || !env_.get("WAYLAND_DISPLAY").value_or("").empty();
    if (!display) return {};
    std::vector<std::string> candidates{"zenity", "kdialog"};
    if (choice == "zenity" || choice == "kdialog") candidates = {choice};
    else if (env_.get("XDG_CURRENT_DESKTOP").value_or("").find("KDE") != std::string::npos)
        candidates = {"kdialog", "zenity"};
    for (const std::string& name : candidates) {
        const std::string path = processes_.find_program(name, "");
        if (!path.empty()) return path;
    }
    return {};
}

std::string DesktopFileDialog::choose(const FileDialogRequest& request) {
    const std::string program = pick_chooser();
    if (program.empty()) return drawn_.choose(request);
    const bool kde = program.size() >= 7 && program.compare(program.size() - 7, 7, "kdialog") == 0;
    const ChooserCommand command = kde ? kdialog_command(request) : zenity_command(request);
    std::string output;
    const int code = run_(program, command.args, output);
    if (code == 1) return {};  // cancelled
    if (code == 0) {
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
        return !output.empty() && output[0] == '/' ? output : std::string();
    }
    // The chooser could not show itself: the drawn dialog from now on.
    chooser_failed_ = true;
    return drawn_.choose(request);
}

}  // namespace sc::platform
