// What the file dialog drawn in the window knows and does, apart from the
// drawing: the folder shown, its entries under the filter, the selection,
// the typed name and the answer.
#pragma once

#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace sc::ui {

class FileDialogModel {
public:
    struct Entry {
        std::string name;
        bool folder = false;
        bool parent = false;  // the ".." entry
    };
    enum class Outcome { Stay, Chosen, Cancelled };
    enum class Problem { None, NotFound, Unreadable, ConfirmOverwrite };

    // Starts in the request's folder; one that is missing or cannot be read
    // gives way to the nearest folder above it that can.
    FileDialogModel(const platform::FileDialogRequest& request, int visible_rows);

    const platform::FileDialogRequest& request() const { return request_; }
    const std::string& folder() const { return folder_; }
    const std::vector<Entry>& entries() const { return entries_; }
    int selected() const { return selected_; }
    int top() const { return top_; }
    int visible_rows() const { return rows_; }
    const std::string& typed() const { return typed_; }
    int filter_index() const { return filter_; }  // 1-based
    Problem problem() const { return problem_; }
    // The name the problem is about.
    const std::string& problem_name() const { return problem_name_; }
    // The chosen full path once the outcome was Chosen.
    const std::string& result() const { return result_; }

    // --- the user's acts -----------------------------------------------------
    void move(int delta);  // arrows, page keys
    void first();
    void last();
    void select(int index);
    void scroll(int delta);  // the view only (mouse wheel)
    void next_filter();
    void set_filter(int index);
    void type(const std::string& utf8);
    void clear_typed();
    // Backspace: the last typed character, or the folder above when nothing is typed.
    void backspace();
    void go_up();
    // Enter: the typed name or path when there is one, otherwise the selection.
    Outcome enter();
    // Double click / Enter on the selection, whatever is typed.
    Outcome activate_selected();
    // The answer to the overwrite question of a save.
    Outcome confirm(bool yes);

private:
    bool open_folder(const std::string& path, const std::string& select_name = {});
    void reload(const std::string& select_name = {});
    Outcome choose_path(const std::string& path);
    Outcome choose_new(const std::string& path);
    void keep_selection_visible();
    void report(Problem p, const std::string& name);

    platform::FileDialogRequest request_;
    int rows_;
    std::string folder_;
    std::vector<Entry> entries_;
    int selected_ = 0;
    int top_ = 0;
    std::string typed_;
    int filter_ = 1;
    Problem problem_ = Problem::None;
    std::string problem_name_;
    std::string pending_;  // the path waiting for the overwrite answer
    std::string result_;
};

// A name shortened to at most n characters for the screen: its beginning,
// "...", and its end (where the extension is).
std::string shorten_middle(const std::string& utf8, std::size_t n);

}  // namespace sc::ui
