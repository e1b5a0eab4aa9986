// Setting the next hint message of the program state and showing it as the
// blinking hint.
#pragma once

#include <string>

#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

inline void show_blink_hint(ProgramState& state, View& view, std::string line1, std::string line2, int16_t kind) {
    state.hint.line1 = std::move(line1);
    state.hint.line2 = std::move(line2);
    state.hint.kind = kind;
    view.blink_hint(state.hint, state.batch_running != 0);
    state.hint.tip.clear();
    state.hint.tip_row = state.hint.tip_column = 0;
}

}  // namespace sc
