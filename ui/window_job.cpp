// The window during a job: the start animation, START as STOP, the level
// display and progress per block with the colour step, the STOP button with
// its hand cursor, the end marks.
#include "platform/window.h"
#include "ui/panel_layout.h"
#include "ui/window_view.h"

namespace sc::ui {

namespace {

constexpr double COLOUR_STEP_SECONDS = 0.2;
// Where a press counts as STOP.
constexpr Rect STOP_AREA{735, 792, 73, 96};

bool inside(const Rect& r, int x, int y) { return x >= r.x1 && x <= r.x2 && y >= r.y1 && y <= r.y2; }

}  // namespace

void WindowView::job_start_animation() {
    if (state_) job_.start_animation(state_->source_envelope);
}

void WindowView::show_start_button(bool running) {
    if (!panel_) return;
    if (running)
        panel_->show_stop_button();
    else
        panel_->ZEIGE_STARTBUTTON();
}

void WindowView::job_progress_frame() {
    job_.progress_frame();
    last_colour_step_ = -1.0;
}

void WindowView::job_block(const JobBlockInfo& info) {
    const int pause = job_.block(info, language());
    const double now = window_.clock().timer();
    if (panel_ && (last_colour_step_ < 0 || now - last_colour_step_ >= COLOUR_STEP_SECONDS)) {
        panel_->FARBENSPIEL2();
        last_colour_step_ = now;
    }
    if (pause > 0) window_.pause_ms(pause);
}

void WindowView::job_end_marks() { job_.end_marks(); }

bool WindowView::stop_clicked() {
    const platform::PointerState p = window_.pointer();
    const bool over = inside(STOP_AREA, p.x, p.y);
    if (over != stop_hand_) {
        window_.set_hand_cursor(over);
        stop_hand_ = over;
    }
    return over && (p.buttons & platform::BUTTON_LEFT_BIT) != 0;
}

void WindowView::job_ends(bool /*completed*/) {
    if (stop_hand_) {
        window_.set_hand_cursor(false);
        stop_hand_ = false;
    }
}

}  // namespace sc::ui
