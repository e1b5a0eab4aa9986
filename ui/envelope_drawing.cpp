#include "ui/envelope_drawing.h"

#include <algorithm>

namespace sc::ui {

namespace {

constexpr int STRIP_LEFT = 9;
constexpr int STRIP_RIGHT = 790;
constexpr int MIDDLE_OFFSET = 30;  // baseline - middle line of a strip
constexpr uint8_t MIDDLE_DASH = 8;
constexpr uint8_t ZOOM_DOT = 25;

int strip_top(int baseline) { return baseline - STRIP_HEIGHT; }

}  // namespace

double peak_height(int peak) { return peak * 59.0 / 32770.0; }

void draw_peak_column(Canvas& canvas, int x, int baseline, int16_t left, int16_t right, bool stereo) {
    auto bar = [&](int16_t p, uint8_t colour) { canvas.line(x, baseline, x, baseline - peak_height(p), colour); };
    if (!stereo) {
        bar(left, 0);
    } else if (left >= right) {
        bar(left, 1);
        bar(right, 0);
    } else {
        bar(right, 5);
        bar(left, 0);
    }
}

void draw_envelope_strip(Canvas& canvas, const Envelope& env, int baseline, int first, int last, bool clear_columns) {
    // The whole strip (1 ... 780 from the main loop counts as whole).
    const bool whole = first <= 1 && last >= ENVELOPE_DRAWN_COLUMNS - 1;
    first = std::max(first, 0);
    last = std::min(last, ENVELOPE_DRAWN_COLUMNS - 1);
    const int top = strip_top(baseline);
    if (whole) {
        first = 0;
        canvas.line(STRIP_LEFT, top, STRIP_RIGHT, baseline, STRIP_COLOUR, LineMode::BoxFill);
        canvas.line(STRIP_LEFT, top, STRIP_RIGHT, baseline, 0, LineMode::Box);
    }
    for (int c = first; c <= last; ++c) {
        const int x = c + STRIP_LEFT;
        if (clear_columns) canvas.line(x, baseline, x, top + 1, STRIP_COLOUR);
        const auto i = static_cast<std::size_t>(c);
        draw_peak_column(canvas, x, baseline, env.column_left[i], env.column_right[i], env.stereo());
        if (x % 8 == 0) canvas.line(x - 1, baseline - MIDDLE_OFFSET, x, baseline - MIDDLE_OFFSET, MIDDLE_DASH);
    }
}

void draw_envelope_zoom(Canvas& canvas, const Envelope& env, int baseline, int m) {
    const int top = strip_top(baseline);
    if (m >= 70) canvas.line(m - 60, top + 1, m - 60, baseline - 1, ZOOM_BOUNDARY);
    if (m < 730) canvas.line(m + 60, top + 1, m + 60, baseline - 1, ZOOM_BOUNDARY);
    for (int d = std::max(m - 59, 10); d <= m + 59 && d < 790; ++d) {
        canvas.line(d, top + 1, d, baseline - 1, ZOOM_COLOUR);
        const int k = zoom_fine_index(m, d);
        if (k >= 1 && k <= ENVELOPE_FINE) {
            const auto i = static_cast<std::size_t>(k);
            draw_peak_column(canvas, d, baseline, env.fine_left[i], env.fine_right[i], env.stereo());
        }
        if (d % 8 == 0) canvas.point(d, baseline - MIDDLE_OFFSET, ZOOM_DOT);
    }
}

}  // namespace sc::ui
