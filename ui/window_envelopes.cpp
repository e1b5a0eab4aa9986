// The window's envelope strips: the progress of a read, the whole envelopes
// with their labels, the zoom.
#include <cstdio>

#include "audiofile/envelope_texts.h"
#include "ui/envelope_drawing.h"
#include "ui/panel_layout.h"
#include "ui/window_view.h"

namespace sc::ui {

namespace {

constexpr int PROGRESS_ROW = 48;
constexpr int PROGRESS_COLUMN = 3;
constexpr int ORIGINAL_ROW = 51;
constexpr int PROCESSED_ROW = 59;
constexpr int STRIP_LABEL_COLUMN = 4;

}  // namespace

void WindowView::clear_source_strip() {
    const Rect r = SOURCE_STRIP;
    canvas_.line(r.x1, r.y1, r.x2, r.y2, STRIP_COLOUR, LineMode::BoxFill);
    canvas_.line(r.x1, r.y1, r.x2, r.y2, 0, LineMode::Box);
}

void WindowView::envelope_progress(int percent) {
    char text[16];
    std::snprintf(text, sizeof text, "%4d %%", percent);
    canvas_.print_at(PROGRESS_ROW, PROGRESS_COLUMN, text, 0, INFO_COLOUR);
}

void WindowView::draw_envelopes(const Envelope& source, const Envelope* result, int first, int last,
                                bool clear_columns) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    draw_envelope_strip(canvas_, source, SOURCE_BASELINE, first, last, clear_columns);
    if (!result) return;
    draw_envelope_strip(canvas_, *result, RESULT_BASELINE, first, last, clear_columns);
    canvas_.print_at(ORIGINAL_ROW, STRIP_LABEL_COLUMN, envelope_texts::ORIGINAL, 0, STRIP_COLOUR);
    canvas_.print_at(PROCESSED_ROW, STRIP_LABEL_COLUMN, envelope_texts::PROCESSED(language()), 0, STRIP_COLOUR);
}

void WindowView::draw_zoom(int mouse_x, const Envelope& source, const Envelope* result) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    draw_envelope_zoom(canvas_, source, SOURCE_BASELINE, mouse_x);
    if (result) draw_envelope_zoom(canvas_, *result, RESULT_BASELINE, mouse_x);
}

}  // namespace sc::ui
