// The open / save dialog drawn in the window in the program's own look,
// driven by the window's keys and pointer. What was under it is put back
// when it closes.
#pragma once

#include <string>

#include "platform/file_dialog.h"
#include "ui/file_dialog_model.h"
#include "ui/window_view.h"

namespace sc::ui {

// Where the dialog's parts lie, in text rows and columns.
struct FileDialogLayout {
    static constexpr int first_column = 13, last_column = 88;
    static constexpr int first_row = 5, last_row = 61;
    static constexpr int title_row = 6;
    static constexpr int close_column = 85;  // " X " in the title bar
    static constexpr int folder_row = 8;
    static constexpr int list_row = 10, list_rows = 40;
    static constexpr int list_column = 15, name_width = 60, mark_column = 77;
    static constexpr int scroll_column = 87;
    static constexpr int field_column = 26, field_last_column = 86;
    static constexpr int name_row = 52;
    static constexpr int type_row = 54, type_second_column = 56;
    static constexpr int message_row = 56;
    static constexpr int button_row = 58, open_column = 62, cancel_column = 75, button_width = 11;
    static constexpr int keys_row = 60;
};

class DrawnFileDialog final : public platform::FileDialog {
public:
    explicit DrawnFileDialog(WindowView& view) : view_(view) {}

    std::string choose(const platform::FileDialogRequest& request) override;

    // Two clicks on one entry within this time open it.
    static constexpr double DOUBLE_CLICK_S = 0.5;
    static constexpr int POLL_MS = 20;
    static constexpr int WHEEL_ROWS = 3;

private:
    using Outcome = FileDialogModel::Outcome;
    void draw(const FileDialogModel& model);
    Outcome on_key(FileDialogModel& model, const std::string& key);
    Outcome on_click(FileDialogModel& model, int x, int y, double now);

    WindowView& view_;
    double last_click_time_ = -1.0;
    int last_click_index_ = -1;
};

}  // namespace sc::ui
