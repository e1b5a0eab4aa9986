// The name prompt of a user setup, drawn in the info box.
#include "ui/window_view.h"

namespace sc::ui {

void WindowView::setup_name_prompt(std::string_view prompt, std::string_view enter_hint, std::string_view field) {
    {
        platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::INFO_BOX);
        info_.clear();
        canvas_.print_at(INFO_LINE1_ROW, 6, prompt, 0, INFO_COLOUR);
        canvas_.print_at(INFO_LINE2_ROW, 66, enter_hint, 0, INFO_COLOUR);
        canvas_.print_at(INFO_LINE2_ROW, 6, field, 15, INFO_COLOUR);
    }
    // The next info lines are drawn whatever they are.
    info_.forget();
}

}  // namespace sc::ui
