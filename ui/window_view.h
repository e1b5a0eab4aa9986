// The window's implementation of the View: info lines, the blinking hint,
// text screens, alert boxes, key waits and the panel, drawn into the window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "settings/parameter_set.h"
#include "settings/program_state.h"
#include "ui/canvas.h"
#include "ui/info_box.h"
#include "ui/job_meters.h"
#include "ui/panel.h"
#include "ui/player_box.h"
#include "settings/view.h"

namespace sc::ui {

// MAUS_SCHUBSEN: moves the pointer one pixel left and back (hidden
// meanwhile) so that the window system asks for the cursor shape again.
void MAUS_SCHUBSEN(platform::Window& window);

class WindowView final : public View {
public:
    explicit WindowView(platform::Window& window, uint32_t seed = 1);

    // Connects the view to the program's state; until then only the screen
    // calls (open, palette, clear, title) do anything.
    void attach(ParameterSet& params, ProgramState& state);
    // What the window's close button does wherever keys are read: the
    // orderly exit, or (returning) a request to the running job, whose key
    // read then gets the close key; without one the view throws
    // ProgramExit{0}.
    void on_close(std::function<void()> f) { on_close_ = std::move(f); }

    Canvas& canvas() { return canvas_; }
    InfoBox& info_box() { return info_; }
    Panel* panel() { return panel_.get(); }

    void blink_hint(const HintMessage& hint, bool batch_running) override;
    void info_text(std::string_view line1, std::string_view line2) override { info_.INFOTEXTUNTEN2(line1, line2); }
    void info_text_grey(std::string_view line1, std::string_view line2) override {
        info_.INFOTEXTUNTEN2GRAU(line1, line2);
    }
    void text_screen(const std::vector<std::string>& lines, bool wait_for_key) override;
    void setup_name_prompt(std::string_view prompt, std::string_view enter_hint, std::string_view field) override;
    void sleep_or_key(int ms) override;
    void wait_no_key() override;
    void file_line(std::string_view text) override;
    void redraw_panel() override;
    void alert_box(const std::vector<std::string>& lines) override;
    void fatal_error_box(const std::vector<std::string>& lines) override;
    void open_screen() override;
    void set_palette_ranges() override;
    void clear_to_background() override;
    void set_last_palette_entries() override;
    void set_window_title(std::string_view title) override;

    void grey_upper_screen() override { OBEN_GRAU_PUNKTELN(canvas_); }
    void player_box(std::string_view text) override {
        draw_player_box(canvas_, text);
        player_cursor_.reset();
    }
    void player_progress(int64_t position_ms, int64_t length_ms, int baseline) override {
        player_cursor_.draw(canvas_, position_ms, length_ms, baseline);
    }
    // The running job (window_job.cpp).
    void job_start_animation() override;
    void show_start_button(bool running) override;
    void job_progress_frame() override;
    void job_block(const JobBlockInfo& info) override;
    void job_end_marks() override;
    bool stop_clicked() override;
    void job_ends(bool completed) override;
    JobDisplay& job_display() { return job_; }

    // Envelopes (window_envelopes.cpp).
    void clear_source_strip() override;
    void envelope_progress(int percent) override;
    void draw_envelopes(const Envelope& source, const Envelope* result, int first, int last,
                        bool clear_columns) override;
    void draw_zoom(int mouse_x, const Envelope& source, const Envelope* result) override;

    // TASTE_EINGEBEN: waits for a key and returns it; the close button ends
    // the program in order.
    std::string TASTE_EINGEBEN() override;
    // One key poll; the close button ends the program in order.
    std::string poll_key() override;
    bool key_held(int scan_code) override { return window_.key_down(scan_code); }
    PointerInfo pointer() override {
        const platform::PointerState p = window_.pointer();
        return {p.x, p.y, p.buttons, p.pressed};
    }
    void move_pointer(int x, int y) override { window_.move_pointer(x, y); }
    void show_pointer(bool visible) override { window_.show_pointer(visible); }
    void set_hand_cursor(bool on) override { window_.set_hand_cursor(on); }
    void nudge_pointer() override { MAUS_SCHUBSEN(window_); }
    std::vector<std::string> dropped_files() override { return window_.take_dropped_files(); }
    void forget_drops() override {
        while (!window_.take_dropped_files().empty()) {
        }
    }

    void show_control(std::string_view name) override {
        if (panel_) panel_->show_control(name);
    }
    void heartbeat(uint8_t colour) override { canvas_.point(1, 1, colour); }
    void attention_colours() override {
        if (panel_) panel_->FARBENSPIEL();
    }
    void selection_box(const SelectionBox& box) override;

    void page_begin(bool framed) override;
    void page_text(int row, int column, std::string_view text, bool heading = false) override;
    void help_page(int page) override;
    void response_diagram(const ResponseDiagram& diagram) override;
    int16_t language() const { return state_ ? state_->LANGUAGE : LANGUAGE_DE; }

private:
    void closing();

    platform::Window& window_;
    Canvas canvas_;
    InfoBox info_;
    std::unique_ptr<Panel> panel_;
    ProgramState* state_ = nullptr;
    std::function<void()> on_close_;
    JobDisplay job_{canvas_};
    double last_colour_step_ = -1.0;  // FARBENSPIEL2 at most every 0.2 s
    bool stop_hand_ = false;          // the hand cursor over STOP
    PlayerCursor player_cursor_;
    bool page_framed_ = false;
};

}  // namespace sc::ui
