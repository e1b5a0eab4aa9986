// The response diagram page: measured filter curves on a level / frequency
// grid (+10 dB at the top, -50 dB at the bottom, 20 Hz ... 20 kHz).
#pragma once

#include "settings/page_records.h"
#include "ui/canvas.h"

namespace sc::ui {

struct DiagramGeometry {
    static constexpr int left = 64;      // x of 20 Hz
    static constexpr int right = 784;    // x of 20 kHz
    static constexpr int top = 92;       // y of +10 dB (the middle of text row 12)
    static constexpr int db_step = 64;   // pixels per 10 dB (eight text rows)
    static constexpr double top_db = 10.0;
    static constexpr double bottom_db = -50.0;
    static constexpr double low_hz = 20.0;
    static constexpr double high_hz = 20000.0;

    static int bottom() { return top + static_cast<int>((top_db - bottom_db) / 10.0 * db_step); }
    // Pixel of a frequency / level; levels outside the grid stay at its edges.
    static double x_of(double hz);
    static double y_of(double db);
};

void draw_response_diagram(Canvas& canvas, const ResponseDiagram& diagram);

}  // namespace sc::ui
