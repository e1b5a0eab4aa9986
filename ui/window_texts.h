// Texts the window's message screens show.
#pragma once

#include "settings/text.h"

namespace sc::ui::texts {

inline constexpr TextPair PRESS_ANY_KEY{"Bel. Taste drücken.", "Press any key."};

}  // namespace sc::ui::texts
