#include "shell/panel_fields.h"

#include <algorithm>
#include <cmath>

namespace sc {

namespace {

using ui::ControlId;

bool available(const ProgramState& s, ControlId id) {
    if (id == ControlId::SourceEnvelope) return !s.display_source_name.empty();
    if (id == ControlId::ResultEnvelope) return s.result_exists != 0;
    return true;
}

// The knobs are tested between the leveler switch and the preset buttons.
constexpr ControlId LAST_BEFORE_KNOBS = ControlId::InputAuto;

}  // namespace

std::optional<PanelField> panel_field_at(const ProgramState& state, int x, int y) {
    const auto& controls = ui::control_table();
    auto hit = [&](const ui::ControlSpec& c) { return available(state, c.id) && c.click.contains(x, y); };
    auto it = controls.begin();
    for (; it != controls.end(); ++it) {
        if (hit(*it)) return PanelField{false, it->id, {}};
        if (it->id == LAST_BEFORE_KNOBS) break;
    }
    if (auto k = ui::knob_at(x, y)) return PanelField{true, {}, *k};
    for (++it; it != controls.end(); ++it)
        if (hit(*it)) return PanelField{false, it->id, {}};
    return std::nullopt;
}

int equalizer_band_at(int x) {
    return std::clamp(static_cast<int>(std::nearbyint((x - 11) / 9.0)), 1, EQ_BANDS);
}

}  // namespace sc
