// The painted rotary knob (REGLER) and what each knob shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/parameter_set.h"
#include "ui/canvas.h"
#include "ui/panel_layout.h"

namespace sc::ui {

// How REGLER renders the value text.
enum KnobStyle : int16_t {
    STYLE_AS_GIVEN = 0,
    STYLE_DB_ONE_DECIMAL = 1,
    STYLE_RATIO_QUARTERS = 2,
    STYLE_MUTE = 4,
};

// The cells a caller fills before REGLER draws: style, gain family and the
// numbers that styles 1 and 2 format.
struct KnobCells {
    int32_t column = 0;
    int32_t row = 0;
    int16_t style = STYLE_AS_GIVEN;
    int16_t gain_family = 0;
    double db = 0.0;
    double ratio = 0.0;
};

// The four characters in the value window.
std::string knob_value_text(std::string_view text, int16_t style, double db, double ratio);

// The shortest decimal form of a number ("2.25", "-9.5", "3").
std::string number_text(double v);

// REGLER: draws one knob at its cell with the pointer at `position`
// (0 lower left, 50 up, 100 lower right) and its value text. Resets the
// style cell afterwards.
void REGLER(Canvas& canvas, KnobCells& cells, int column, int row, int position, int ignored, std::string_view text);

// What a knob shows for the Parameter set: pointer position, text, style
// and face. Reading a whole-dB knob snaps its setting to the grid.
struct KnobReading {
    int position = 0;
    std::string text;
    int16_t style = STYLE_AS_GIVEN;
    int16_t gain_family = 0;
    double db = 0.0;
    double ratio = 0.0;
};
KnobReading read_knob(KnobKind kind, Band band, ParameterSet& p);

}  // namespace sc::ui
