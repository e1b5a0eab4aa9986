#include "ui/selection_box.h"

#include <algorithm>

namespace sc::ui {

namespace {

constexpr uint8_t BOX_FACE = 30;
constexpr uint8_t BOX_BORDER = 0;
constexpr uint8_t ATTRIBUTE_FRAME = 8;
constexpr uint8_t ATTRIBUTE_SET = 21;
constexpr uint8_t TEXT_SET = 0;
constexpr uint8_t TEXT_UNSET = 8;

}  // namespace

void draw_selection_box(Canvas& canvas, const SelectionBox& box) {
    platform::ScreenLockScope lock(canvas.screen_lock(), platform::ScreenLock::GENERAL);
    const Rect r = SELECTION_BOX;
    if (!box.redraw_attributes_only) {
        canvas.line(r.x1, r.y1, r.x2, r.y2, BOX_FACE, LineMode::BoxFill);
        canvas.line(r.x1, r.y1, r.x2, r.y2, BOX_BORDER, LineMode::Box);
    }
    int first = 0, last = 0;
    for (const SelectionEntry& e : box.entries) {
        const bool attribute = e.attribute >= 0;
        if (attribute) {
            first = first ? std::min(first, e.row) : e.row;
            last = std::max(last, e.row);
        } else if (box.redraw_attributes_only) {
            continue;
        }
        const uint8_t fg = !attribute || e.attribute == 1 ? TEXT_SET : TEXT_UNSET;
        canvas.print_at(e.row, SELECTION_COLUMN, e.label, fg, BOX_FACE);
        if (attribute) {
            // The circle sits in the spaces in front of the attribute's text.
            const double cx = 8.0 * (SELECTION_COLUMN - 1) + 14, cy = 8.0 * (e.row - 1) + 3.5;
            canvas.disc(cx, cy, 4, e.attribute == 1 ? ATTRIBUTE_SET : BOX_FACE);
            canvas.circle(cx, cy, 4, BOX_BORDER);
        }
    }
    if (first)
        canvas.line(8 * (SELECTION_COLUMN - 1) + 2, 8 * (first - 1) - 5, r.x2 - 4, 8 * last + 4, ATTRIBUTE_FRAME,
                    LineMode::Box);
}

}  // namespace sc::ui
