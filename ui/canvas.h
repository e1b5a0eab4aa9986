// The drawing layer: points, lines, boxes, circles, arcs, filled discs and
// text in 8 x 8 cells, on the window's framebuffer.
//
// Coordinates are pixels from (0, 0) at the top left; fractional
// coordinates are rounded to the nearest pixel. Text positions are (row,
// column) from 1: the cell's top left pixel is (8 (column - 1), 8 (row - 1)).
#pragma once

#include <cstdint>
#include <random>
#include <string_view>

#include "platform/window.h"

namespace sc::ui {

inline constexpr double TWO_PI = 6.283185307179586;
inline constexpr int TEXT_COLUMNS = 100;

enum class LineMode { Line, Box, BoxFill };

class Canvas {
public:
    explicit Canvas(platform::Window& window, uint32_t seed = 1);

    platform::Window& window() { return window_; }
    platform::ScreenLock& screen_lock() { return lock_; }
    platform::Framebuffer& frame() { return window_.frame(); }

    void clear(uint8_t colour);
    void point(double x, double y, uint8_t colour);
    uint8_t colour_at(int x, int y) const { return window_.frame().at(x, y); }
    // A line, an outlined box or a filled box between the two corners.
    void line(double x1, double y1, double x2, double y2, uint8_t colour, LineMode mode = LineMode::Line);
    // A circle, or the arc from `start` to `end` (radians, counter-clockwise
    // from the 3 o'clock direction, going through 0 when start > end), or a
    // filled disc. Aspect below 1 flattens the circle vertically, above 1
    // horizontally.
    void circle(double x, double y, double radius, uint8_t colour, double start = 0.0, double end = TWO_PI,
                double aspect = 1.0, bool filled = false);
    void disc(double x, double y, double radius, uint8_t colour) { circle(x, y, radius, colour, 0.0, TWO_PI, 1.0, true); }

    // Text: colours for the following prints, the position, and the print
    // itself (UTF-8, shown in code page 437), which advances the position
    // and wraps at column 100.
    void text_colour(uint8_t foreground, uint8_t background) {
        fg_ = foreground;
        bg_ = background;
    }
    void locate(int row, int column) {
        row_ = row;
        column_ = column;
    }
    void print(std::string_view utf8);
    void print_cp437(std::string_view bytes);
    // The three together.
    void print_at(int row, int column, std::string_view utf8, uint8_t foreground, uint8_t background);
    int row() const { return row_; }
    int column() const { return column_; }

    // One palette entry with 6-bit components, changed at once.
    void set_palette(int index, int red, int green, int blue);

    // Uniform in [0, 1), for the knob highlight jitter and the shimmer.
    double random() { return uniform_(rng_); }
    void pause(int ms) { window_.pause_ms(ms); }

private:
    platform::Window& window_;
    platform::ScreenLock lock_;
    std::mt19937 rng_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
    uint8_t fg_ = 15;
    uint8_t bg_ = 0;
    int row_ = 1;
    int column_ = 1;
};

}  // namespace sc::ui
