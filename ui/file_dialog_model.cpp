#include "ui/file_dialog_model.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/folder_listing.h"
#include "settings/text.h"

namespace sc::ui {

namespace {

std::string folded(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool hidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

// "~" and "~/..." mean the home folder.
std::string expand_home(const std::string& typed) {
    if (typed.empty() || typed[0] != '~' || (typed.size() > 1 && typed[1] != '/')) return typed;
    const char* home = std::getenv("HOME");
    return (home && *home ? std::string(home) : std::string("/")) + typed.substr(1);
}

}  // namespace

std::string shorten_middle(const std::string& utf8, std::size_t n) {
    const std::size_t length = utf8_length(utf8);
    if (length <= n) return utf8;
    if (n <= 3) return utf8_head(utf8, n);
    const std::size_t tail = std::min<std::size_t>((n - 3) / 3, 12);
    return utf8_head(utf8, n - 3 - tail) + "..." + utf8_tail(utf8, tail);
}

FileDialogModel::FileDialogModel(const platform::FileDialogRequest& request, int visible_rows)
    : request_(request), rows_(std::max(1, visible_rows)) {
    const int filters = static_cast<int>(request_.filters.size());
    filter_ = std::clamp(request_.filter_index, 1, std::max(1, filters));
    std::string start = platform::absolute_path(request_.initial_folder.empty() ? "." : request_.initial_folder);
    for (;;) {
        if (platform::is_folder(start) && open_folder(start)) break;
        if (start == "/") {
            folder_ = "/";
            entries_.clear();
            break;
        }
        start = platform::parent_folder(start);
    }
    problem_ = Problem::None;
}

void FileDialogModel::report(Problem p, const std::string& name) {
    problem_ = p;
    problem_name_ = name;
}

bool FileDialogModel::open_folder(const std::string& path, const std::string& select_name) {
    const std::string target = platform::absolute_path(path);
    if (!platform::read_folder(target)) {
        report(Problem::Unreadable, target);
        return false;
    }
    folder_ = target;
    typed_.clear();
    problem_ = Problem::None;
    reload(select_name);
    return true;
}

void FileDialogModel::reload(const std::string& select_name) {
    entries_.clear();
    std::vector<Entry> folders, files;
    const std::string pattern =
        request_.filters.empty() ? std::string("*") : request_.filters[static_cast<std::size_t>(filter_ - 1)].pattern;
    if (auto listing = platform::read_folder(folder_)) {
        for (const platform::FolderEntry& e : *listing) {
            if (hidden(e.name)) continue;
            if (e.folder) folders.push_back({e.name, true, false});
            else if (platform::wildcard_match(pattern, e.name, true)) files.push_back({e.name, false, false});
        }
    }
    const auto by_name = [](const Entry& a, const Entry& b) {
        const std::string fa = folded(a.name), fb = folded(b.name);
        return fa != fb ? fa < fb : a.name < b.name;
    };
    std::sort(folders.begin(), folders.end(), by_name);
    std::sort(files.begin(), files.end(), by_name);
    if (folder_ != "/") entries_.push_back({"..", true, true});
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
    selected_ = 0;
    top_ = 0;
    // Start on the first file, or on the entry asked for.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const bool wanted = select_name.empty() ? !entries_[i].folder : entries_[i].name == select_name;
        if (wanted) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
    keep_selection_visible();
}

void FileDialogModel::keep_selection_visible() {
    const int count = static_cast<int>(entries_.size());
    selected_ = count == 0 ? 0 : std::clamp(selected_, 0, count - 1);
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + rows_) top_ = selected_ - rows_ + 1;
    top_ = std::clamp(top_, 0, std::max(0, count - rows_));
}

void FileDialogModel::move(int delta) {
    selected_ += delta;
    keep_selection_visible();
}

void FileDialogModel::first() { move(-static_cast<int>(entries_.size())); }
void FileDialogModel::last() { move(static_cast<int>(entries_.size())); }

void FileDialogModel::select(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    selected_ = index;
    keep_selection_visible();
}

void FileDialogModel::scroll(int delta) {
    const int count = static_cast<int>(entries_.size());
    top_ = std::clamp(top_ + delta, 0, std::max(0, count - rows_));
}

void FileDialogModel::next_filter() {
    if (request_.filters.size() < 2) return;
    set_filter(filter_ % static_cast<int>(request_.filters.size()) + 1);
}

void FileDialogModel::set_filter(int index) {
    if (index < 1 || index > static_cast<int>(request_.filters.size()) || index == filter_) return;
    filter_ = index;
    reload();
}

void FileDialogModel::type(const std::string& utf8) {
    if (problem_ == Problem::NotFound || problem_ == Problem::Unreadable) problem_ = Problem::None;
    typed_ += utf8;
}

void FileDialogModel::clear_typed() { typed_.clear(); }

void FileDialogModel::backspace() {
    if (typed_.empty()) {
        go_up();
        return;
    }
    typed_ = utf8_head(typed_, utf8_length(typed_) - 1);
}

void FileDialogModel::go_up() {
    if (folder_ == "/") return;
    const std::string::size_type slash = folder_.find_last_of('/');
    open_folder(platform::parent_folder(folder_), folder_.substr(slash + 1));
}

FileDialogModel::Outcome FileDialogModel::choose_path(const std::string& path) {
    if (request_.save) {
        pending_ = path;
        report(Problem::ConfirmOverwrite, path);
        return Outcome::Stay;
    }
    result_ = path;
    return Outcome::Chosen;
}

FileDialogModel::Outcome FileDialogModel::choose_new(const std::string& path) {
    std::string p = path;
    const std::string name = p.substr(p.find_last_of('/') + 1);
    if (!request_.default_extension.empty() && name.find('.') == std::string::npos) {
        p += (request_.default_extension[0] == '.' ? "" : ".") + request_.default_extension;
        if (platform::is_file(p)) return choose_path(p);
    }
    if (!platform::is_folder(platform::parent_folder(p))) {
        report(Problem::NotFound, platform::parent_folder(p));
        return Outcome::Stay;
    }
    result_ = p;
    return Outcome::Chosen;
}

FileDialogModel::Outcome FileDialogModel::enter() {
    if (problem_ == Problem::ConfirmOverwrite) return confirm(true);
    if (typed_.empty()) return activate_selected();
    std::string typed = expand_home(typed_);
    const std::string path = platform::absolute_path(typed[0] == '/' ? typed : platform::join_path(folder_, typed));
    if (platform::is_folder(path)) {
        open_folder(path);
        return Outcome::Stay;
    }
    if (platform::is_file(path)) return choose_path(path);
    if (request_.save) return choose_new(path);
    report(Problem::NotFound, typed_);
    return Outcome::Stay;
}

FileDialogModel::Outcome FileDialogModel::activate_selected() {
    if (entries_.empty()) return Outcome::Stay;
    const Entry& e = entries_[static_cast<std::size_t>(selected_)];
    if (e.parent) {
        go_up();
        return Outcome::Stay;
    }
    const std::string path = platform::join_path(folder_, e.name);
    if (e.folder) {
        open_folder(path);
        return Outcome::Stay;
    }
    return choose_path(path);
}

FileDialogModel::Outcome FileDialogModel::confirm(bool yes) {
    if (problem_ != Problem::ConfirmOverwrite) return Outcome::Stay;
    problem_ = Problem::None;
    if (!yes) return Outcome::Stay;
    result_ = pending_;
    return Outcome::Chosen;
}

}  // namespace sc::ui
