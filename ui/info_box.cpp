#include "ui/info_box.h"

#include "settings/text.h"
#include "ui/panel_layout.h"

namespace sc::ui {

namespace {

// Characters that fit between the left and the right edge of the box.
constexpr std::size_t INFO_WIDTH = 96;

}  // namespace

void InfoBox::clear() {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::INFO_BOX);
    const Rect r = INFO_BOX;
    // Four nested rectangles: a bevelled edge around the filled face.
    canvas_.line(r.x1, r.y1, r.x2, r.y2, 22, LineMode::Box);
    canvas_.line(r.x1 + 1, r.y1 + 1, r.x2 - 1, r.y2 - 1, 31, LineMode::Box);
    canvas_.line(r.x1 + 2, r.y2 - 1, r.x2 - 1, r.y2 - 1, 20);
    canvas_.line(r.x2 - 1, r.y1 + 2, r.x2 - 1, r.y2 - 1, 20);
    canvas_.line(r.x1 + 2, r.y1 + 2, r.x2 - 2, r.y2 - 2, 47, LineMode::Box);
    canvas_.line(r.x1 + 3, r.y1 + 3, r.x2 - 3, r.y2 - 3, INFO_COLOUR, LineMode::BoxFill);
    shown_ = false;
}

void InfoBox::draw(std::string_view line1, std::string_view line2, uint8_t text_colour) {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::INFO_BOX);
    clear();
    canvas_.print_at(INFO_LINE1_ROW, INFO_COLUMN, utf8_head(line1, INFO_WIDTH), text_colour, INFO_COLOUR);
    canvas_.print_at(INFO_LINE2_ROW, INFO_COLUMN, utf8_head(line2, INFO_WIDTH), text_colour, INFO_COLOUR);
    last1_ = line1;
    last2_ = line2;
    shown_ = true;
}

void InfoBox::INFOTEXTUNTEN2(std::string_view line1, std::string_view line2) {
    if (shown_ && !last_grey_ && line1 == last1_ && line2 == last2_) return;
    draw(line1, line2, 0);
    last_grey_ = false;
}

void InfoBox::INFOTEXTUNTEN2GRAU(std::string_view line1, std::string_view line2) {
    if (shown_ && last_grey_ && line1 == last1_ && line2 == last2_) return;
    draw(line1, line2, 8);
    last_grey_ = true;
}

}  // namespace sc::ui
