// The help pages (INFO) and the plain text pages: laid out and drawn.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"

namespace sc::ui {

inline constexpr uint8_t PAGE_TEXT = 0;
inline constexpr uint8_t PAGE_HEADING = 1;
// The face of the navigation line at the bottom of a page.
inline constexpr uint8_t NAVIGATION_FACE = 53;
// First text row of a help page and the row of its navigation line.
inline constexpr int HELP_FIRST_ROW = 3;
inline constexpr int HELP_NAVIGATION_ROW = 63;

struct HelpLine {
    std::string text;
    bool heading = false;
};

// The lines of help page n (1 ... 6) without the heading marks.
std::vector<HelpLine> help_page_lines(int page, int16_t language);
// The navigation line of page n: to the next page, or back to the program.
std::string help_navigation(int page, int16_t language);

// Clears the window for a text page, with a frame when asked.
void draw_page_background(Canvas& canvas, bool framed);
// The double frame along the window's edges.
void draw_page_frame(Canvas& canvas);
void draw_page_text(Canvas& canvas, int row, int column, std::string_view text, bool heading);
// The whole help page n with its navigation line.
void draw_help_page(Canvas& canvas, int page, int16_t language);

}  // namespace sc::ui
