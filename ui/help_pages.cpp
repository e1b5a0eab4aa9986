#include "ui/help_pages.h"

#include <algorithm>

#include "settings/page_records.h"
#include "ui/help_texts.h"
#include "ui/panel.h"

namespace sc::ui {

namespace {

constexpr std::string_view HEADING_MARK = "# ";

}  // namespace

std::vector<HelpLine> help_page_lines(int page, int16_t language) {
    std::vector<HelpLine> lines;
    const int index = std::clamp(page, 1, HELP_PAGE_COUNT) - 1;
    const std::string_view text = help_texts::PAGES[static_cast<std::size_t>(index)](language);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const bool heading = line.substr(0, HEADING_MARK.size()) == HEADING_MARK;
        if (heading) line.remove_prefix(HEADING_MARK.size());
        lines.push_back({std::string(line), heading});
        start = end + 1;
    }
    return lines;
}

std::string help_navigation(int page, int16_t language) {
    if (page >= HELP_PAGE_COUNT) return std::string(help_texts::NAVIGATION_LAST(language));
    return std::string(help_texts::NAVIGATION(language))
        + std::to_string(page + 1) + std::string(help_texts::OF_PAGES(language));
}

void draw_page_background(Canvas& canvas, bool framed) {
    canvas.clear(PANEL_BACKGROUND);
    if (framed) draw_page_frame(canvas);
}

void draw_page_frame(Canvas& canvas) {
    canvas.line(1, 1, platform::SCREEN_WIDTH - 2, platform::SCREEN_HEIGHT - 2, PAGE_TEXT, LineMode::Box);
    canvas.line(3, 3, platform::SCREEN_WIDTH - 4, platform::SCREEN_HEIGHT - 4, PAGE_TEXT, LineMode::Box);
}

void draw_page_text(Canvas& canvas, int row, int column, std::string_view text, bool heading) {
    canvas.print_at(row, column, text, heading ? PAGE_HEADING : PAGE_TEXT, PANEL_BACKGROUND);
}

void draw_help_page(Canvas& canvas, int page, int16_t language) {
    draw_page_background(canvas, false);
    int row = HELP_FIRST_ROW;
    for (const HelpLine& l : help_page_lines(page, language)) {
        if (row >= HELP_NAVIGATION_ROW - 1) break;
        draw_page_text(canvas, row++, 2, l.text, l.heading);
    }
    const std::string nav = help_navigation(page, language);
    canvas.print_at(HELP_NAVIGATION_ROW, 2, nav + " ", PAGE_TEXT, NAVIGATION_FACE);
}

}  // namespace sc::ui
