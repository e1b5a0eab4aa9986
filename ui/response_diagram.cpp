#include "ui/response_diagram.h"

#include <algorithm>
#include <cmath>

#include "ui/help_pages.h"
#include "ui/panel.h"

namespace sc::ui {

namespace {

using G = DiagramGeometry;

constexpr uint8_t GRID = 8;
constexpr uint8_t ZERO_LINE = 0;
// One curve: red; several: blue, green, red, ...
constexpr uint8_t CURVE_COLOURS[] = {1, 2, 4, 5, 6};
constexpr uint8_t SINGLE_CURVE = 4;
constexpr int LEVEL_LABEL_COLUMN = 2;
constexpr int FREQUENCY_LABEL_ROW = 62;
constexpr int LEGEND_ROW = 8;
constexpr int FOOTER_ROW = 64;

struct FrequencyLabel {
    double hz;
    std::string_view text;
};
constexpr FrequencyLabel FREQUENCY_LABELS[] = {{100, "100"},  {250, "250"},   {630, "630"},   {1000, "1k0"},
                                               {1600, "1k6"}, {2500, "2k5"},  {4000, "4k0"},  {6300, "6k3"},
                                               {10000, "10k0"}, {15000, "15k0"}};

int text_row_of(double y) { return static_cast<int>(y) / 8 + 1; }

void dotted_line(Canvas& c, double x1, double y1, double x2, double y2, uint8_t colour) {
    const int n = static_cast<int>(std::max(std::abs(x2 - x1), std::abs(y2 - y1)));
    for (int i = 0; i <= n; i += 2) {
        const double t = n == 0 ? 0.0 : static_cast<double>(i) / n;
        c.point(x1 + t * (x2 - x1), y1 + t * (y2 - y1), colour);
    }
}

void draw_grid(Canvas& c) {
    for (int db = static_cast<int>(G::top_db); db >= static_cast<int>(G::bottom_db); db -= 10) {
        const double y = G::y_of(db);
        if (db == 0) {
            c.line(G::left, y, G::right, y, ZERO_LINE);
        } else {
            dotted_line(c, G::left, y, G::right, y, GRID);
            const std::string label = (db > 0 ? "+" : "") + std::to_string(db) + " dB";
            c.print_at(text_row_of(y), LEVEL_LABEL_COLUMN, label, PAGE_TEXT, PANEL_BACKGROUND);
        }
    }
    for (const FrequencyLabel& l : FREQUENCY_LABELS) {
        const double x = G::x_of(l.hz);
        dotted_line(c, x, G::top, x, G::bottom(), GRID);
        const int column = static_cast<int>(std::lround(x / 8.0)) + 1 - static_cast<int>(l.text.size()) / 2;
        c.print_at(FREQUENCY_LABEL_ROW, column, l.text, PAGE_TEXT, PANEL_BACKGROUND);
    }
    c.line(G::left, G::top, G::right, G::bottom(), PAGE_TEXT, LineMode::Box);
}

void draw_curve(Canvas& c, const ResponseCurve& curve, uint8_t colour) {
    for (std::size_t i = 1; i < curve.points.size(); ++i) {
        const auto [f0, l0] = curve.points[i - 1];
        const auto [f1, l1] = curve.points[i];
        if (l0 < G::bottom_db && l1 < G::bottom_db) continue;  // below the grid
        const double x0 = G::x_of(f0), x1 = G::x_of(f1), y0 = G::y_of(l0), y1 = G::y_of(l1);
        c.line(x0, y0, x1, y1, colour);
        c.line(x0, y0 + 1, x1, y1 + 1, colour);
    }
}

}  // namespace

double DiagramGeometry::x_of(double hz) {
    const double t = std::log(std::clamp(hz, low_hz, high_hz) / low_hz) / std::log(high_hz / low_hz);
    return left + t * (right - left);
}

double DiagramGeometry::y_of(double db) {
    const double d = std::clamp(db, bottom_db, top_db);
    return top + (top_db - d) / 10.0 * db_step;
}

void draw_response_diagram(Canvas& canvas, const ResponseDiagram& diagram) {
    draw_page_background(canvas, true);
    int row = 3;
    for (std::size_t i = 0; i < diagram.lines.size(); ++i, row += 2)
        draw_page_text(canvas, row, 3, diagram.lines[i], i == 0);
    draw_grid(canvas);
    int legend_column = 10;
    for (std::size_t i = 0; i < diagram.curves.size(); ++i) {
        const uint8_t colour = diagram.curves.size() == 1 ? SINGLE_CURVE : CURVE_COLOURS[i % std::size(CURVE_COLOURS)];
        draw_curve(canvas, diagram.curves[i], colour);
        const std::string& label = diagram.curves[i].label;
        if (label.empty()) continue;
        canvas.line(8 * (legend_column - 1), 8 * LEGEND_ROW - 4, 8 * (legend_column + 2), 8 * LEGEND_ROW - 4, colour);
        canvas.print_at(LEGEND_ROW, legend_column + 4, label, colour, PANEL_BACKGROUND);
        legend_column += 6 + static_cast<int>(label.size());
    }
    canvas.print_at(FOOTER_ROW, 3, diagram.footer + " ", PAGE_TEXT, NAVIGATION_FACE);
}

}  // namespace sc::ui
