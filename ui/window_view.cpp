#include "ui/window_view.h"

#include "platform/interruption.h"

#include <algorithm>

#include "platform/keys.h"
#include "settings/text.h"
#include "settings/program_exit.h"
#include "ui/help_pages.h"
#include "ui/palette.h"
#include "ui/selection_box.h"
#include "ui/response_diagram.h"
#include "ui/window_texts.h"

namespace sc::ui {

namespace {

constexpr int KEY_POLL_MS = 50;
constexpr int KEY_POLL_EXTRA_MS = 19;
constexpr Rect HINT_BOX{9, 791, 344, 424};
constexpr Rect ALERT_BOX{200, 600, 180, 300};

}  // namespace

WindowView::WindowView(platform::Window& window, uint32_t seed)
    : window_(window), canvas_(window, seed), info_(canvas_) {}

void WindowView::attach(ParameterSet& params, ProgramState& state) {
    state_ = &state;
    panel_ = std::make_unique<Panel>(canvas_, info_, params, state);
    panel_->draw_envelopes = [this, &state] {
        draw_envelopes(state.source_envelope, state.result_exists ? &state.result_envelope : nullptr, 0,
                       ENVELOPE_DRAWN_COLUMNS - 1, state.file_loaded != 0);
    };
}

void WindowView::closing() {
    // the handler ends the program, or, while a job runs, asks the job to
    // end first: the close key then ends the wait it came in
    if (on_close_) {
        on_close_();
        return;
    }
    throw ProgramExit{0};
}

std::string WindowView::poll_key() {
    std::string k = window_.inkey();
    // a signal asking the program to end counts as the close button
    if (platform::ending_signal() != 0) k = platform::KEY_CLOSE;
    if (k == platform::KEY_CLOSE) closing();
    return k;
}

std::string WindowView::TASTE_EINGEBEN() {
    for (;;) {
        window_.pause_ms(KEY_POLL_MS);
        std::string k = poll_key();
        window_.pause_ms(KEY_POLL_EXTRA_MS);
        if (!k.empty()) return k;
    }
}

void WindowView::sleep_or_key(int ms) {
    platform::Clock& clock = window_.clock();
    const double end = clock.timer() + ms / 1000.0;
    while (clock.timer() < end) {
        if (!poll_key().empty()) return;
        const int left = static_cast<int>((end - clock.timer()) * 1000.0 + 0.5);
        window_.pause_ms(std::clamp(left, 1, 10));
    }
}

void WindowView::wait_no_key() {
    while (!poll_key().empty()) {
    }
}

void WindowView::file_line(std::string_view text) {
    canvas_.print_at(11, 4, text, 0, PANEL_BACKGROUND);
}

void WindowView::redraw_panel() {
    if (panel_) panel_->D__DECKELZEIGEN();
}

void WindowView::text_screen(const std::vector<std::string>& lines, bool wait_for_key) {
    {
        platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
        canvas_.clear(PANEL_BACKGROUND);
        int row = 1;
        for (const std::string& l : lines) canvas_.print_at(row++, 1, l, 0, PANEL_BACKGROUND);
        info_.forget();
    }
    if (wait_for_key) {
        wait_no_key();
        TASTE_EINGEBEN();
    }
}

void WindowView::blink_hint(const HintMessage& hint, bool batch_running) {
    wait_no_key();
    {
        platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
        // The grey dot pattern over the whole screen.
        for (int y = 0; y < platform::SCREEN_HEIGHT; y += 2)
            for (int x = 0; x < platform::SCREEN_WIDTH; x += 2) canvas_.point(x, y, 8);
        canvas_.line(HINT_BOX.x1, HINT_BOX.y1, HINT_BOX.x2, HINT_BOX.y2, 30, LineMode::BoxFill);
        canvas_.line(HINT_BOX.x1, HINT_BOX.y1, HINT_BOX.x2, HINT_BOX.y2, 0, LineMode::Box);
        canvas_.print_at(52, 75, texts::PRESS_ANY_KEY(language()), 0, 30);
        if (!hint.tip.empty() && hint.tip_row > 1) {
            const std::string blank(utf8_length(hint.tip) + 2, ' ');
            // A tip too long for its column is moved left so that it ends at
            // the window's last column instead of running off the edge.
            const int width = static_cast<int>(blank.size());
            const int column = std::max(1, std::min<int>(hint.tip_column, TEXT_COLUMNS - width + 1));
            canvas_.print_at(hint.tip_row - 1, column, blank, 0, 15);
            canvas_.print_at(hint.tip_row, column, " " + hint.tip + " ", 0, 15);
            canvas_.print_at(hint.tip_row + 1, column, blank, 0, 15);
        }
        // The symbol of the kind: a disc with a mark, drawn a little off its
        // place each time.
        constexpr struct { uint8_t colour; const char* mark; } symbols[] = {{2, "+"}, {4, "!"}, {1, "i"}};
        if (hint.kind >= 1 && hint.kind <= 3) {
            const auto& s = symbols[hint.kind - 1];
            const double cx = 36 + 4 * canvas_.random(), cy = 412 + 2 * canvas_.random();
            canvas_.disc(cx, cy, 9, s.colour);
            canvas_.circle(cx, cy, 11, 0, 0.2 + canvas_.random(), 2.8 + canvas_.random());
            canvas_.print_at(52, 5, s.mark, 15, s.colour);
        }
        info_.forget();
    }
    platform::Clock& clock = window_.clock();
    const double end = clock.timer() + (batch_running ? 13.0 : 80.0);
    for (;;) {
        info_.INFOTEXTUNTEN2(hint.line1, hint.line2);
        for (const double phase_end = clock.timer() + 0.89; clock.timer() < phase_end;) {
            if (!poll_key().empty()) return;
            window_.pause_ms(10);
        }
        info_.INFOTEXTUNTEN2GRAU(hint.line1, hint.line2);
        for (const double phase_end = clock.timer() + 0.11; clock.timer() < phase_end;) {
            if (!poll_key().empty()) return;
            window_.pause_ms(10);
        }
        if (clock.timer() >= end) return;
    }
}

void WindowView::alert_box(const std::vector<std::string>& lines) {
    {
        platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
        const Rect r = ALERT_BOX;
        canvas_.line(r.x1 + 4, r.y1 + 4, r.x2 + 4, r.y2 + 4, 20, LineMode::BoxFill);
        canvas_.line(r.x1, r.y1, r.x2, r.y2, 30, LineMode::BoxFill);
        canvas_.line(r.x1, r.y1, r.x2, r.y2, 41, LineMode::Box);
        canvas_.line(r.x1 + 2, r.y1 + 2, r.x2 - 2, r.y2 - 2, 41, LineMode::Box);
        const int first_row = r.y1 / 8 + 3, column = r.x1 / 8 + 3;
        for (std::size_t i = 0; i < lines.size() && i < 12; ++i)
            canvas_.print_at(first_row + 2 * static_cast<int>(i), column, utf8_head(lines[i], 45), i == 0 ? 41 : 0, 30);
    }
    wait_no_key();
    TASTE_EINGEBEN();
}

void WindowView::fatal_error_box(const std::vector<std::string>& lines) {
    constexpr uint8_t error_text = 15, error_face = 4;
    {
        platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
        for (std::size_t i = 0; i < lines.size(); ++i)
            canvas_.print_at(1 + static_cast<int>(i), 1, lines[i], error_text, error_face);
    }
    const int width = 8 * 66, height = 8 * static_cast<int>(lines.size());
    platform::Clock& clock = window_.clock();
    const double end = clock.timer() + 10.0;
    for (bool lit = true; clock.timer() < end; lit = !lit) {
        canvas_.line(0, 0, width - 1, height - 1, lit ? 14 : 0, LineMode::Box);
        window_.pause_ms(lit ? 700 : 600);
        poll_key();
    }
    wait_no_key();
    TASTE_EINGEBEN();
}

void WindowView::open_screen() {
    if (!window_.open(platform::SCREEN_WIDTH, platform::SCREEN_HEIGHT, 8, 2))
        throw RunTimeError{"the 800 x 525 window with 256 colours could not be opened"};
    load_default_palette(canvas_.frame());
    canvas_.clear(0);
}

void WindowView::set_palette_ranges() { set_start_palette(canvas_.frame()); }

void WindowView::clear_to_background() { canvas_.clear(PANEL_BACKGROUND); }

void WindowView::set_last_palette_entries() {
    canvas_.set_palette(254, 50, 50, 50);
    canvas_.set_palette(255, 63, 63, 63);
}

void WindowView::set_window_title(std::string_view title) { window_.set_title(std::string(title)); }

void WindowView::selection_box(const SelectionBox& box) {
    draw_selection_box(canvas_, box);
}

void WindowView::page_begin(bool framed) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    draw_page_background(canvas_, framed);
    page_framed_ = framed;
    info_.forget();
}

void WindowView::page_text(int row, int column, std::string_view text, bool heading) {
    draw_page_text(canvas_, row, column, text, heading);
    // Text in the outer columns and rows must not cut the frame.
    if (page_framed_) draw_page_frame(canvas_);
}

void WindowView::help_page(int page) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    draw_help_page(canvas_, page, language());
    info_.forget();
}

void WindowView::response_diagram(const ResponseDiagram& diagram) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    draw_response_diagram(canvas_, diagram);
    info_.forget();
}

void MAUS_SCHUBSEN(platform::Window& window) {
    // a click made just now is left for the main loop to serve
    const platform::PointerState p = window.pointer_position();
    if (p.x <= 2 || p.y <= 2) return;
    window.show_pointer(false);
    window.move_pointer(p.x - 1, p.y);
    window.pause_ms(9);
    window.move_pointer(p.x, p.y);
    window.show_pointer(true);
}

}  // namespace sc::ui
