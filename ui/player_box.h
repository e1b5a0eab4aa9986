// What the window shows while a file plays: the grey dots over the upper
// screen, the player box with its cursor, and the bar in the envelope strip.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/canvas.h"

namespace sc::ui {

inline constexpr int PLAYER_LEFT = 90;
inline constexpr int PLAYER_TOP = 171;
inline constexpr int PLAYER_RIGHT = 688;
inline constexpr int PLAYER_BOTTOM = 211;
inline constexpr uint8_t PLAYER_COLOUR = 12;
inline constexpr int PLAYER_TEXT_ROW = 23;
inline constexpr int PLAYER_TEXT_COLUMN = 14;

// OBEN_GRAU_PUNKTELN: for x = 2, 5, 8 ... below 798 and y = 2, 5, 8 ...
// below 347, (x, y) in colour 8, (x + 1, y + 1) and (x + 2, y + 2) in 7.
void OBEN_GRAU_PUNKTELN(Canvas& canvas);

// The filled box with its two outer frames and the text at row 23, column 14.
void draw_player_box(Canvas& canvas, std::string_view text);

// The cursor of the box and the bar in the strip; remembers the cursor drawn
// last so that it can be taken back.
class PlayerCursor {
public:
    // Cursor column for a position: round(90 + 12 + position / length x 574).
    static int cursor_x(int64_t position_ms, int64_t length_ms);
    // Right end of the bar: 9 + position x 779 / length.
    static int bar_right(int64_t position_ms, int64_t length_ms);

    void reset() { last_x_ = -1; }
    void draw(Canvas& canvas, int64_t position_ms, int64_t length_ms, int baseline);

private:
    int last_x_ = -1;
};

}  // namespace sc::ui
