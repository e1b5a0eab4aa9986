// The knob panel: the whole drawing of the Parameter set (D__DECKELZEIGEN)
// and the display procedure of each control. The display procedures snap
// their setting to its grid, so a redraw leaves the set as it is shown.
#pragma once

#include <cstdint>
#include <functional>

#include "settings/parameter_set.h"
#include "settings/program_state.h"
#include "ui/canvas.h"
#include "ui/info_box.h"
#include "ui/knob.h"
#include "ui/panel_layout.h"

namespace sc::ui {

inline constexpr uint8_t PANEL_BACKGROUND = 29;
inline constexpr uint8_t BUTTON_COLOUR = 53;

class Panel {
public:
    Panel(Canvas& canvas, InfoBox& info, ParameterSet& params, ProgramState& state);

    // The whole panel, in its drawing order.
    void D__DECKELZEIGEN();

    void ZEIGE_INPUTGAIN() { show_knob(KnobId::INPUTGAIN); }
    void ZEIGE_INPUTAUTO();
    void ZEIGE_HPF();
    void ZEIGE_EQ();
    void ZEIGE_KOMPR_THRBASS() { show_knob(KnobId::KOMPR_THRBASS); }
    void ZEIGE_KOMPR_THRMIDD() { show_knob(KnobId::KOMPR_THRMIDD); }
    void ZEIGE_KOMPR_THRHIGH() { show_knob(KnobId::KOMPR_THRHIGH); }
    void ZEIGE_KOMPR_RATBASS() { show_knob(KnobId::KOMPR_RATBASS); }
    void ZEIGE_KOMPR_RATMIDD() { show_knob(KnobId::KOMPR_RATMIDD); }
    void ZEIGE_KOMPR_RATHIGH() { show_knob(KnobId::KOMPR_RATHIGH); }
    void ZEIGE_KOMPR_ATTBASS() { show_knob(KnobId::KOMPR_ATTBASS); }
    void ZEIGE_KOMPR_ATTMIDD() { show_knob(KnobId::KOMPR_ATTMIDD); }
    void ZEIGE_KOMPR_ATTHIGH() { show_knob(KnobId::KOMPR_ATTHIGH); }
    void ZEIGE_KOMPR_RELBASS() { show_knob(KnobId::KOMPR_RELBASS); }
    void ZEIGE_KOMPR_RELMIDD() { show_knob(KnobId::KOMPR_RELMIDD); }
    void ZEIGE_KOMPR_RELHIGH() { show_knob(KnobId::KOMPR_RELHIGH); }
    void ZEIGE_KOMPR_OUTBASS() { show_knob(KnobId::KOMPR_OUTBASS); }
    void ZEIGE_KOMPR_OUTMIDD() { show_knob(KnobId::KOMPR_OUTMIDD); }
    void ZEIGE_KOMPR_OUTHIGH() { show_knob(KnobId::KOMPR_OUTHIGH); }
    void ZEIGE_LIMI_THR() { show_knob(KnobId::LIMI_THR); }
    void ZEIGE_LIMI_ATT() { show_knob(KnobId::LIMI_ATT); }
    void ZEIGE_LIMI_REL() { show_knob(KnobId::LIMI_REL); }
    void ZEIGE_LIMI_OUTGAIN() { show_knob(KnobId::LIMI_OUTGAIN); }
    void ZEIGE_GATEHIGH() { show_gate(Band::High); }
    void ZEIGE_GATEMIDD() { show_gate(Band::Midd); }
    void ZEIGE_GATEBASS() { show_gate(Band::Bass); }
    void ZEIGE_STARTBUTTON();
    // The START button in its running state: STOP.
    void show_stop_button();

    // The display procedure of a control named by its setting ("INPUTGAIN",
    // "KOMPR_THRBASS", "EQ", "GATEHIGH", "STARTBUTTON" ...); false for a
    // name the panel does not know.
    bool show_control(std::string_view name);

    // Any knob by its table entry (what the ZEIGE_ procedures above call).
    void show_knob(KnobId id);
    void show_gate(Band b);
    void show_bypass();
    void show_file_line();
    void show_setup_block();
    void show_output_format();
    void show_language();
    void show_envelope_frames();

    // The attention colours: START or OPEN in the cycling colour while the
    // program waits, STOP while it processes.
    void FARBENSPIEL();
    void FARBENSPIEL2();
    int16_t cycling_colour() const { return cycle_colour_; }

    KnobCells& knob_cells() { return cells_; }

    // Inputs from the rest of the program.
    int source_channels = 1;   // of the loaded source; mono when none
    bool start_hint = false;   // the main loop's start-hint flag
    // Draws the envelopes into the strips (when a file is loaded).
    std::function<void()> draw_envelopes;

private:
    bool file_loaded() const { return !state_.display_source_name.empty(); }
    void step_cycle();
    void draw_header();
    void draw_top_buttons();
    void draw_sections();
    void draw_compressor_labels();
    void draw_band_knobs(Band b);
    void draw_meter_scales();
    void draw_button(ControlId id, std::string_view text, uint8_t fg, uint8_t face);

    Canvas& canvas_;
    InfoBox& info_;
    ParameterSet& p_;
    ProgramState& state_;
    KnobCells cells_;
    int16_t cycle_colour_ = 195;
    int16_t cycle_step_ = 1;
};

}  // namespace sc::ui
