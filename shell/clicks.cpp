// GEKLICKT: what a click on the panel does, field by field.
#include <array>

#include "settings/parameter_steps.h"
#include "shell/application.h"
#include "shell/loop_texts.h"
#include "shell/panel_fields.h"

namespace sc {

namespace {

using ui::ControlId;
using ui::KnobKind;
using ui::KnobSpec;

constexpr int CLICK_PAUSE_MS = 50;
constexpr int LIMITER_REFUSAL_MS = 550;
constexpr int ENCODER_PATH_ROOM = 62;

void refuse(Application& app, const TextPair& line1, const TextPair& line2) {
    const int16_t l = app.state.LANGUAGE;
    app.view().info_text(line1(l), line2(l));
    app.platform().clock.sleep_ms(LIMITER_REFUSAL_MS);
}

// --- knobs --------------------------------------------------------------------

// A knob's click; false when the click was refused (the knob stays as drawn).
using KnobClick = bool (*)(Application&, const KnobSpec&, int button);

bool band_time(Application& app, TimeSetting& t, TimeTable table, int button) {
    if (click_time(t, table, button)) app.ATT_REL_ANRATEANPASSEN();
    return true;
}

constexpr std::array<KnobClick, 10> KNOB_CLICKS = {
    // InputGain
    [](Application& a, const KnobSpec&, int b) { return click_INPUTGAIN(a.params, b), true; },
    // Threshold
    [](Application& a, const KnobSpec& k, int b) { return click_threshold(a.params, k.band, b), true; },
    // Ratio
    [](Application& a, const KnobSpec& k, int b) { return click_ratio(a.params, k.band, b), true; },
    // Attack
    [](Application& a, const KnobSpec& k, int b) {
        return band_time(a, attack_of(a.params, k.band), attack_table(k.band), b);
    },
    // Release
    [](Application& a, const KnobSpec& k, int b) {
        return band_time(a, release_of(a.params, k.band), release_table(k.band), b);
    },
    // Makeup
    [](Application& a, const KnobSpec& k, int b) { return click_makeup(a.params, k.band, b), true; },
    // LimiterThreshold
    [](Application& a, const KnobSpec&, int b) {
        const LimiterClick r = click_LIMI_THR(a.params, b);
        if (r == LimiterClick::Refused) {
            refuse(a, loop_texts::LIMITER_THRESHOLD_BLOCKED_1, loop_texts::LIMITER_THRESHOLD_BLOCKED_2);
            return false;
        }
        if (r == LimiterClick::Changed) a.K_KURVE_ERZEUGEN_LIMI();
        return true;
    },
    // LimiterAttack
    [](Application& a, const KnobSpec&, int b) { return band_time(a, a.params.LIMI_ATT, TimeTable::AttMidd, b); },
    // LimiterRelease
    [](Application& a, const KnobSpec&, int b) { return band_time(a, a.params.LIMI_REL, TimeTable::RelMidd, b); },
    // LimiterOutput
    [](Application& a, const KnobSpec&, int b) {
        if (click_LIMI_OUTGAIN(a.params, b) == LimiterClick::Refused) {
            refuse(a, loop_texts::LIMITER_OUTPUT_BLOCKED_1, loop_texts::LIMITER_OUTPUT_BLOCKED_2);
            return false;
        }
        return true;
    },
};

// The knobs of the bands that the bypass switch holds still.
bool held_by_bypass(KnobKind kind) {
    return kind == KnobKind::Threshold || kind == KnobKind::Ratio || kind == KnobKind::Attack ||
           kind == KnobKind::Release;
}

void click_knob(Application& app, const KnobSpec& k, int button) {
    if (held_by_bypass(k.kind) && app.params.KOMPR_BYPASS == 1) return;
    if (KNOB_CLICKS[static_cast<int>(k.kind)](app, k, button)) app.view().show_control(k.name);
}

// --- the other controls -------------------------------------------------------

struct ControlClick {
    void (*act)(Application&, const PointerInfo&, int button);
    int pause_ms;  // the pause that ends the click
};

void click_gate_field(Application& app, Band band, const char* name, int button) {
    if (app.params.KOMPR_BYPASS == 1) return;
    click_gate(app.params, band, button);
    app.view().show_control(name);
    app.NICHTGEKLICKT();
}

void click_output_format(Application& app, int button) {
    click_OUTFORMAT(app.params, button);
    if (!app.encoder_present()) {
        const int16_t l = app.state.LANGUAGE;
        const std::string& path = app.state.encoder_path;
        const std::string shown = utf8_length(path) >= 66 ? utf8_tail(path, ENCODER_PATH_ROOM) : path;
        const std::string line1(loop_texts::ENCODER_MISSING(l));
        const std::string line2 = std::string(loop_texts::ENCODER_PATH_LEAD) + shown;
        app.view().info_text(line1, line2);
        app.hint(line1, line2, 2);
        app.params.OUTFORMAT = 1;
        app.D__DECKELZEIGEN();
    }
    app.wait_for_release();
    app.platform().clock.sleep_ms(30);
    app.D__DECKELZEIGEN();
}

void user_slot(Application& app, ControlId id, int button) {
    const int slot = ui::user_slot_of(id);
    if (button == BUTTON_RIGHT) {
        app.USER_SETUP_SPEICHERN(slot);
        return;
    }
    app.USER_SETUP_LADEN_UND_ANWENDEN(slot);
    app.D__DECKELZEIGEN();
}

template <ControlId ID>
void slot_click(Application& a, const PointerInfo&, int b) {
    user_slot(a, ID, b);
}

template <PresetId P>
void preset_click(Application& a, const PointerInfo&, int) {
    a.apply(P);
}

// In the order of ControlId.
constexpr std::array<ControlClick, ui::CONTROL_COUNT> CONTROL_CLICKS = {{
    {[](Application& a, const PointerInfo&, int) { a.state.start_request = 1; }, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) { a.ORDENTLICH_ENDE(); }, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) { a.state.help_request = 1; }, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) {
         click_KOMPR_BYPASS(a.params);
         a.D__DECKELZEIGEN();
     },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo& p, int b) {
         click_EQ(a.params, equalizer_band_at(p.x), b);
         a.view().show_control("EQ");
     },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) {
         a.SPIELE_DATEI(a.state.source_path);
         a.D__DECKELZEIGEN();
     },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) {
         a.SPIELE_DATEI(a.state.target_path);
         a.D__DECKELZEIGEN();
     },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) { a.state.open_request = 1; }, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) {
         click_HPF(a.params);
         a.EQ_FILTERBESTIMMEN();
         a.view().show_control("HPF");
     },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) {
         click_INPUTAUTO(a.params);
         a.view().show_control("INPUTAUTO");
     },
     160},
    {preset_click<PresetId::VOICESOFT>, CLICK_PAUSE_MS},
    {preset_click<PresetId::VOICEHARD>, CLICK_PAUSE_MS},
    {preset_click<PresetId::MUSICSOFT>, CLICK_PAUSE_MS},
    {preset_click<PresetId::MUSICHARD>, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int b) { click_gate_field(a, Band::High, "GATEHIGH", b); },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int b) { click_gate_field(a, Band::Midd, "GATEMIDD", b); },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int b) { click_gate_field(a, Band::Bass, "GATEBASS", b); },
     CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) { a.MEHR_V_SETUPS(); }, CLICK_PAUSE_MS},
    {[](Application& a, const PointerInfo&, int) { a.MEHR_I_SETUPS(); }, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot1>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot2>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot3>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot4>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot5>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot6>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot7>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot8>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot9>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot10>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot11>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot12>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot13>, CLICK_PAUSE_MS},
    {slot_click<ControlId::UserSlot14>, CLICK_PAUSE_MS},
    // The output format waits for the release and pauses by itself.
    {[](Application& a, const PointerInfo&, int b) { click_output_format(a, b); }, 0},
    {[](Application& a, const PointerInfo&, int) {
         a.state.LANGUAGE = a.state.LANGUAGE == LANGUAGE_EN ? LANGUAGE_DE : LANGUAGE_EN;
         a.D__DECKELZEIGEN();
         a.platform().clock.sleep_ms(200);
         a.SETUP_SPRACHE_SPEICHERN();
     },
     0},
}};

}  // namespace

void Application::GEKLICKT() {
    const PointerInfo p = read_pointer();
    if (p.buttons == 0) return;
    if (p.buttons == 3) {
        // Both buttons: the source plays, whatever lies under the pointer.
        if (!state.display_source_name.empty()) SPIELE_DATEI(state.source_path);
        D__DECKELZEIGEN();
        platform_.clock.sleep_ms(CLICK_PAUSE_MS);
        return;
    }
    const int button = p.buttons == 2 ? BUTTON_RIGHT : BUTTON_LEFT;
    int pause = CLICK_PAUSE_MS;
    if (const auto field = panel_field_at(state, p.x, p.y)) {
        if (field->is_knob) {
            click_knob(*this, ui::knob(field->knob), button);
        } else {
            const ControlClick& c = CONTROL_CLICKS[static_cast<int>(field->control)];
            c.act(*this, p, button);
            pause = c.pause_ms;
        }
    }
    platform_.clock.sleep_ms(pause);
}

}  // namespace sc
