// The box of a selection screen over the lower right of the panel.
#pragma once

#include "settings/view.h"
#include "ui/canvas.h"
#include "ui/panel_layout.h"

namespace sc::ui {

inline constexpr Rect SELECTION_BOX{600, 793, 269, 512};
inline constexpr int SELECTION_COLUMN = 77;

// Draws the box with its entries; the attributes get a frame and a small
// circle each, filled while the attribute is set. With
// `redraw_attributes_only` the box is not cleared and only the attributes
// are drawn again.
void draw_selection_box(Canvas& canvas, const SelectionBox& box);

}  // namespace sc::ui
