// The two envelope strips below the panel: the whole envelope (five blocks
// per column) and the zoom (one block per pixel) around the mouse.
#pragma once

#include <cstdint>

#include "settings/envelope.h"
#include "ui/canvas.h"

namespace sc::ui {

inline constexpr int SOURCE_BASELINE = 458;
inline constexpr int RESULT_BASELINE = 522;
inline constexpr int STRIP_HEIGHT = 60;  // baseline - top of the strip box
inline constexpr uint8_t STRIP_COLOUR = 29;
inline constexpr uint8_t ZOOM_COLOUR = 28;
inline constexpr uint8_t ZOOM_BOUNDARY = 27;

// The height in pixels of a peak.
double peak_height(int peak);

// One column of peaks at x with its baseline: the louder channel of a stereo
// pair in its own colour (1 left, 5 right), the common part black; mono
// black.
void draw_peak_column(Canvas& canvas, int x, int baseline, int16_t left, int16_t right, bool stereo);

// The envelope in its strip for columns first ... last (0 ... 779); the
// whole range (from 0 or 1 up to 779 or beyond) clears the strip first, clear_columns clears each column to
// the strip top before it is drawn.
void draw_envelope_strip(Canvas& canvas, const Envelope& env, int baseline, int first, int last, bool clear_columns);

// The zoom around screen x mouse_x in the strip of that baseline.
void draw_envelope_zoom(Canvas& canvas, const Envelope& env, int baseline, int mouse_x);

// The fine entry that the zoom shows at screen x d around mouse_x.
inline int zoom_fine_index(int mouse_x, int d) { return 5 * mouse_x + (d - mouse_x) - 45; }

}  // namespace sc::ui
