// The fields of the panel that react to the pointer, looked up in the order
// in which a click tests them. Clicks and hover texts share this lookup.
#pragma once

#include <optional>

#include "settings/program_state.h"
#include "ui/panel_layout.h"

namespace sc {

// A control or a knob of the panel.
struct PanelField {
    bool is_knob = false;
    ui::ControlId control = ui::ControlId::Start;
    ui::KnobId knob = ui::KnobId::INPUTGAIN;
};

// The first field whose rectangle holds (x, y): START, EXIT, INFO, the
// bypass button, the equalizer, the source envelope (with a file loaded), the
// result envelope (with a result), OPEN, the filter and leveler switches,
// every knob, then the setup block. None outside every field.
std::optional<PanelField> panel_field_at(const ProgramState& state, int x, int y);

// Band 1 ... 12 of the equalizer under the pointer column.
int equalizer_band_at(int x);

}  // namespace sc
