#include "ui/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/font8x8.h"
#include "settings/text.h"

namespace sc::ui {

namespace {

int px(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

Canvas::Canvas(platform::Window& window, uint32_t seed) : window_(window), lock_(window), rng_(seed) {}

void Canvas::clear(uint8_t colour) { frame().fill(colour); }

void Canvas::point(double x, double y, uint8_t colour) { frame().set(px(x), px(y), colour); }

void Canvas::line(double x1d, double y1d, double x2d, double y2d, uint8_t colour, LineMode mode) {
    platform::Framebuffer& f = frame();
    int x1 = px(x1d), y1 = px(y1d), x2 = px(x2d), y2 = px(y2d);
    if (mode != LineMode::Line) {
        if (x1 > x2) std::swap(x1, x2);
        if (y1 > y2) std::swap(y1, y2);
        if (mode == LineMode::BoxFill) {
            for (int y = std::max(y1, 0); y <= std::min(y2, f.height - 1); ++y)
                for (int x = std::max(x1, 0); x <= std::min(x2, f.width - 1); ++x) f.set(x, y, colour);
            return;
        }
        line(x1, y1, x2, y1, colour);
        line(x1, y2, x2, y2, colour);
        line(x1, y1, x1, y2, colour);
        line(x2, y1, x2, y2, colour);
        return;
    }
    // Bresenham.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        f.set(x1, y1, colour);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

void Canvas::circle(double cx, double cy, double radius, uint8_t colour, double start, double end, double aspect,
                    bool filled) {
    if (radius < 0) return;
    double rx = radius, ry = radius;
    if (aspect < 1.0) ry = radius * aspect;
    else if (aspect > 1.0) rx = radius / aspect;
    platform::Framebuffer& f = frame();
    start = std::fabs(start);
    end = std::fabs(end);
    const bool full = end - start >= TWO_PI - 1e-9 || (start == 0.0 && end == 0.0);
    if (filled && full) {
        const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
        const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double nx = rx > 0 ? (x - cx) / rx : 0.0, ny = ry > 0 ? (y - cy) / ry : 0.0;
                if (nx * nx + ny * ny <= 1.0 + 1e-9) f.set(x, y, colour);
            }
        return;
    }
    double span = full ? TWO_PI : end - start;
    if (span < 0) span += TWO_PI;
    const double step = 0.5 / std::max(1.0, std::max(rx, ry));
    const int steps = static_cast<int>(std::ceil(span / step));
    for (int i = 0; i <= steps; ++i) {
        const double a = start + span * i / std::max(1, steps);
        const int x = px(cx + rx * std::cos(a)), y = px(cy - ry * std::sin(a));
        if (filled) line(px(cx), px(cy), x, y, colour);
        else f.set(x, y, colour);
    }
}

void Canvas::print(std::string_view utf8) { print_cp437(to_cp437(utf8)); }

void Canvas::print_cp437(std::string_view bytes) {
    platform::Framebuffer& f = frame();
    for (const char ch : bytes) {
        if (column_ > TEXT_COLUMNS) {
            column_ = 1;
            ++row_;
        }
        const platform::Glyph& g = platform::font_glyph(static_cast<unsigned char>(ch));
        const int x0 = 8 * (column_ - 1), y0 = 8 * (row_ - 1);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) f.set(x0 + c, y0 + r, (g[r] & (0x80 >> c)) ? fg_ : bg_);
        ++column_;
    }
}

void Canvas::print_at(int row, int column, std::string_view utf8, uint8_t foreground, uint8_t background) {
    text_colour(foreground, background);
    locate(row, column);
    print(utf8);
}

void Canvas::set_palette(int index, int red, int green, int blue) {
    frame().set_palette(index, {static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue)});
}

}  // namespace sc::ui
