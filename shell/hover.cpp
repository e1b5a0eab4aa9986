// NICHTGEKLICKT: the two info lines that say what a click on the field under
// the pointer would do.
#include <array>
#include <cmath>
#include <cstdio>

#include "settings/parameter_steps.h"
#include "shell/application.h"
#include "shell/hover_texts.h"
#include "shell/panel_fields.h"

namespace sc {

namespace {

namespace H = hover_texts;
using ui::ControlId;
using ui::KnobKind;

struct Lines {
    std::string line1;
    std::string line2;
};

Lines pair_of(const H::HoverPair& p, int16_t l) { return {std::string(p.line1(l)), std::string(p.line2(l))}; }

std::string signed_db(double db) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%+.1f dB", db);
    return buffer;
}

// "44.1" for 44100, "48" for 48000.
std::string kilohertz(int32_t rate) {
    char buffer[16];
    if (rate % 1000 == 0) std::snprintf(buffer, sizeof buffer, "%d", rate / 1000);
    else std::snprintf(buffer, sizeof buffer, "%.1f", rate / 1000.0);
    return buffer;
}

std::string hh_mm_ss(double seconds) {
    const long s = seconds > 0 ? static_cast<long>(seconds) : 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    return buffer;
}

Lines equalizer(const Application& a, int x) {
    const int16_t l = a.state.LANGUAGE;
    const int band = equalizer_band_at(x);
    Lines r = pair_of(H::EQUALIZER, l);
    r.line1 += std::string(EQ_LABELS[band - 1]) + "  " + signed_db(a.params.EQ[band - 1]) +
               std::string(H::EQUALIZER_RESET(l));
    return r;
}

Lines start_button(const Application& a) {
    if (a.state.batch_count > 0) return pair_of(H::START_BATCH, a.state.LANGUAGE);
    if (!a.state.display_source_name.empty()) return pair_of(H::START_FILE, a.state.LANGUAGE);
    return pair_of(H::START_NO_FILE, a.state.LANGUAGE);
}

Lines leveler(const Application& a) {
    const int mode = a.params.INPUTAUTO >= 0 && a.params.INPUTAUTO <= 2 ? a.params.INPUTAUTO : 0;
    Lines r = pair_of(H::LEVELER[mode], a.state.LANGUAGE);
    if (mode != 0) {
        const long db = std::lround(db_of_amplitude(a.params.LEVE_TARGET));
        r.line1 += std::to_string(db) + std::string(H::DBFS);
    }
    return r;
}

// The level text of a gate: off, or its closing speed and sensitivity.
std::string gate_level_text(Band band, int level, int16_t l) {
    if (level <= 0 || level > 6) return std::string(H::GATE_OFF(l));
    const bool fast = level >= 4;
    const int slow_speed = band == Band::Midd ? 25 : 35;
    const int step = (level - 1) % 3;
    const int top = band == Band::High ? -60 : -55;
    return std::string(fast ? H::GATE_FAST(l) : H::GATE_SLOW(l)) + std::to_string(fast ? 70 : slow_speed) +
           std::string(H::GATE_SPEED_UNIT) + std::string(H::GATE_SENSITIVITY[step](l)) +
           std::to_string(top + 15 * step) + std::string(H::DBFS) + ")";
}

Lines gate(const Application& a, Band band) {
    const int16_t l = a.state.LANGUAGE;
    const int index = band == Band::High ? 0 : band == Band::Midd ? 1 : 2;
    const ParameterSet& p = a.params;
    const int level = band == Band::High ? p.GATEHIGH : band == Band::Midd ? p.GATEMIDD : p.GATEBASS;
    return {std::string(H::GATE[index](l)), gate_level_text(band, level, l)};
}

Lines user_slot(const Application& a, ControlId id) {
    const int16_t l = a.state.LANGUAGE;
    const std::string& name = a.state.user_setup_names[ui::user_slot_of(id) - 1];
    Lines r = pair_of(H::USER_SLOT, l);
    r.line1 += std::string(H::SLOT_NAME_GAP) + std::string(H::SLOT_NAME) +
               (name.empty() ? std::string(H::SLOT_EMPTY) : name);
    return r;
}

Lines output_format(const Application& a) {
    const int16_t l = a.state.LANGUAGE;
    const int16_t f = a.params.OUTFORMAT;
    Lines r{std::string(H::OUTPUT_FORMAT(l)), ""};
    if (f >= 2 && f <= 9) r.line2 = H::MP3_RATES[f - 2];
    else r.line2 = std::string(H::WAV) + std::string(H::LOSS_FREE(l));
    return r;
}

// The ways to play and what the file holds.
Lines envelope(const Application& a, bool result) {
    const int16_t l = a.state.LANGUAGE;
    const SourceFormat& f = a.source_format;
    Lines r;
    r.line1 = std::string(H::PLAY_CLICK(l)) + std::string(H::PLAY_W_KEY(l)) + std::string(H::PLAY_SPACE(l));
    const int bytes_per_second = f.sample_rate * f.channels * (f.bits_per_sample / 8);
    const double seconds = bytes_per_second > 0 ? static_cast<double>(f.data_size) / bytes_per_second : 0.0;
    r.line2 = std::string(result ? H::TARGET_FILE(l) : H::SOURCE_FILE(l)) +
              std::string(f.channels == 2 ? H::STEREO : H::MONO) + kilohertz(f.sample_rate) + std::string(H::KHZ) +
              "(" + std::to_string(f.bits_per_sample) + std::string(H::BIT) + hh_mm_ss(seconds);
    return r;
}

using ControlHover = Lines (*)(const Application&, const PointerInfo&);

template <const H::HoverPair& P>
Lines fixed(const Application& a, const PointerInfo&) {
    return pair_of(P, a.state.LANGUAGE);
}

template <ControlId ID>
Lines slot(const Application& a, const PointerInfo&) {
    return user_slot(a, ID);
}

// In the order of ControlId.
constexpr std::array<ControlHover, ui::CONTROL_COUNT> CONTROL_HOVER = {{
    [](const Application& a, const PointerInfo&) { return start_button(a); },
    fixed<H::EXIT>,
    fixed<H::INFO>,
    fixed<H::BYPASS>,
    [](const Application& a, const PointerInfo& p) { return equalizer(a, p.x); },
    [](const Application& a, const PointerInfo&) { return envelope(a, false); },
    [](const Application& a, const PointerInfo&) { return envelope(a, true); },
    fixed<H::OPEN>,
    fixed<H::HIGH_PASS>,
    [](const Application& a, const PointerInfo&) { return leveler(a); },
    fixed<H::PRESET>,
    fixed<H::PRESET>,
    fixed<H::PRESET>,
    fixed<H::PRESET>,
    [](const Application& a, const PointerInfo&) { return gate(a, Band::High); },
    [](const Application& a, const PointerInfo&) { return gate(a, Band::Midd); },
    [](const Application& a, const PointerInfo&) { return gate(a, Band::Bass); },
    fixed<H::MORE_VOCAL>,
    fixed<H::MORE_INSTRUMENT>,
    slot<ControlId::UserSlot1>,
    slot<ControlId::UserSlot2>,
    slot<ControlId::UserSlot3>,
    slot<ControlId::UserSlot4>,
    slot<ControlId::UserSlot5>,
    slot<ControlId::UserSlot6>,
    slot<ControlId::UserSlot7>,
    slot<ControlId::UserSlot8>,
    slot<ControlId::UserSlot9>,
    slot<ControlId::UserSlot10>,
    slot<ControlId::UserSlot11>,
    slot<ControlId::UserSlot12>,
    slot<ControlId::UserSlot13>,
    slot<ControlId::UserSlot14>,
    [](const Application& a, const PointerInfo&) { return output_format(a); },
    fixed<H::LANGUAGE>,
}};

// In the order of KnobKind.
constexpr std::array<const H::HoverPair*, 10> KNOB_HOVER = {
    &H::INPUT_GAIN,      &H::BAND_THRESHOLD, &H::BAND_RATIO,     &H::BAND_ATTACK,     &H::BAND_RELEASE,
    &H::BAND_MAKEUP,     &H::LIMITER_THRESHOLD, &H::LIMITER_ATTACK, &H::LIMITER_RELEASE, &H::LIMITER_OUTPUT,
};

}  // namespace

void Application::NICHTGEKLICKT() {
    const PointerInfo p = read_pointer();
    const auto field = panel_field_at(state, p.x, p.y);
    hand_wanted_ = field.has_value();
    if (!field) return;
    const Lines lines = field->is_knob
                            ? pair_of(*KNOB_HOVER[static_cast<int>(ui::knob(field->knob).kind)], state.LANGUAGE)
                            : CONTROL_HOVER[static_cast<int>(field->control)](*this, p);
    view_.info_text(lines.line1, lines.line2);
    if (state.cursor_hook_state == 0) state.cursor_hook_state = 1;
}

}  // namespace sc
