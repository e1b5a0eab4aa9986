#include "ui/player_box.h"

#include <algorithm>
#include <cmath>

namespace sc::ui {

namespace {

constexpr int kCursorTop = PLAYER_TOP + 29;
constexpr int kCursorBottom = PLAYER_TOP + 34;
constexpr uint8_t kCursorColour = 7;
constexpr uint8_t kCursorTrace = 4;
constexpr int kStripLeft = 9;
constexpr int kStripWidth = 779;

void cursor_columns(Canvas& canvas, int x, uint8_t colour) {
    for (int dx = -1; dx <= 1; ++dx) canvas.line(x + dx, kCursorTop, x + dx, kCursorBottom, colour);
}

}  // namespace

void OBEN_GRAU_PUNKTELN(Canvas& canvas) {
    for (int x = 2; x < 798; x += 3) {
        for (int y = 2; y < 347; y += 3) {
            canvas.point(x, y, 8);
            canvas.point(x + 1, y + 1, 7);
            canvas.point(x + 2, y + 2, 7);
        }
    }
}

void draw_player_box(Canvas& canvas, std::string_view text) {
    canvas.line(PLAYER_LEFT - 2, PLAYER_TOP - 2, PLAYER_RIGHT + 2, PLAYER_BOTTOM + 2, 0, LineMode::Box);
    canvas.line(PLAYER_LEFT - 1, PLAYER_TOP - 1, PLAYER_RIGHT + 1, PLAYER_BOTTOM + 1, 15, LineMode::Box);
    canvas.line(PLAYER_LEFT, PLAYER_TOP, PLAYER_RIGHT, PLAYER_BOTTOM, PLAYER_COLOUR, LineMode::BoxFill);
    canvas.print_at(PLAYER_TEXT_ROW, PLAYER_TEXT_COLUMN, text, 15, PLAYER_COLOUR);
}

int PlayerCursor::cursor_x(int64_t position_ms, int64_t length_ms) {
    if (length_ms <= 0) return PLAYER_LEFT + 12;
    const double share = std::clamp(static_cast<double>(position_ms) / static_cast<double>(length_ms), 0.0, 1.0);
    return static_cast<int>(std::lround(PLAYER_LEFT + 12 + share * 574));
}

int PlayerCursor::bar_right(int64_t position_ms, int64_t length_ms) {
    if (length_ms <= 0) return kStripLeft;
    const int64_t p = std::clamp<int64_t>(position_ms, 0, length_ms);
    return kStripLeft + static_cast<int>(p * kStripWidth / length_ms);
}

void PlayerCursor::draw(Canvas& canvas, int64_t position_ms, int64_t length_ms, int baseline) {
    const int x = cursor_x(position_ms, length_ms);
    if (last_x_ >= 0) cursor_columns(canvas, last_x_, kCursorTrace);
    cursor_columns(canvas, x, kCursorColour);
    last_x_ = x;
    canvas.line(kStripLeft, baseline + 1, bar_right(position_ms, length_ms), baseline - 3, PLAYER_COLOUR,
                LineMode::BoxFill);
}

}  // namespace sc::ui
