#include "ui/panel.h"

#include <cmath>

#include "platform/window.h"
#include "settings/text.h"
#include "ui/panel_texts.h"

namespace sc::ui {

namespace {

constexpr uint8_t FRAME_COLOUR = 22;
constexpr uint8_t BOX_COLOUR = 30;
constexpr uint8_t TEXT_COLOUR = 0;
constexpr uint8_t INACTIVE_TEXT = 8;
constexpr uint8_t ACTIVE_TEXT = 4;
constexpr int BAND_NAME_COLUMN = 21;
constexpr int BAND_NAME_FIRST_ROW = 20;

void box(Canvas& c, const Rect& r, uint8_t face, uint8_t frame) {
    c.line(r.x1, r.y1, r.x2, r.y2, face, LineMode::BoxFill);
    c.line(r.x1, r.y1, r.x2, r.y2, frame, LineMode::Box);
}

}  // namespace

Panel::Panel(Canvas& canvas, InfoBox& info, ParameterSet& params, ProgramState& state)
    : canvas_(canvas), info_(info), p_(params), state_(state) {}

void Panel::draw_button(ControlId id, std::string_view text, uint8_t fg, uint8_t face) {
    const ControlSpec& c = control(id);
    box(canvas_, c.click, face, FRAME_COLOUR);
    canvas_.print_at(c.row, c.column, text, fg, face);
}

void Panel::show_knob(KnobId id) {
    const KnobSpec& k = knob(id);
    KnobReading r = read_knob(k.kind, k.band, p_);
    cells_.column = k.column;
    cells_.row = k.row;
    cells_.style = r.style;
    cells_.gain_family = r.gain_family;
    cells_.db = r.db;
    cells_.ratio = r.ratio;
    REGLER(canvas_, cells_, k.column, k.row, r.position, 0, r.text);
    cells_.gain_family = 0;
}

bool Panel::show_control(std::string_view name) {
    for (const KnobSpec& k : knob_table())
        if (name == k.name) {
            platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::KNOB);
            show_knob(k.id);
            return true;
        }
    const struct {
        std::string_view name;
        void (Panel::*show)();
    } others[] = {
        {"INPUTAUTO", &Panel::ZEIGE_INPUTAUTO}, {"HPF", &Panel::ZEIGE_HPF},
        {"EQ", &Panel::ZEIGE_EQ},               {"GATEHIGH", &Panel::ZEIGE_GATEHIGH},
        {"GATEMIDD", &Panel::ZEIGE_GATEMIDD},   {"GATEBASS", &Panel::ZEIGE_GATEBASS},
        {"STARTBUTTON", &Panel::ZEIGE_STARTBUTTON},
    };
    for (const auto& o : others)
        if (name == o.name) {
            platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::KNOB);
            (this->*o.show)();
            return true;
        }
    return false;
}

void Panel::ZEIGE_INPUTAUTO() {
    const ControlSpec& c = control(ControlId::InputAuto);
    const int mode = p_.INPUTAUTO >= 0 && p_.INPUTAUTO <= 2 ? p_.INPUTAUTO : 0;
    box(canvas_, c.click, BOX_COLOUR, FRAME_COLOUR);
    const uint8_t fg = mode == 0 ? INACTIVE_TEXT : ACTIVE_TEXT;
    canvas_.print_at(c.row, c.column, texts::AUTO, fg, BOX_COLOUR);
    canvas_.print_at(c.row + 2, c.column, texts::AUTO_MODES[mode], fg, BOX_COLOUR);
}

void Panel::ZEIGE_HPF() {
    const ControlSpec& c = control(ControlId::Hpf);
    const bool on = p_.HPF != 0;
    const uint8_t fg = on ? ACTIVE_TEXT : INACTIVE_TEXT;
    box(canvas_, c.click, on ? BOX_COLOUR : PANEL_BACKGROUND, FRAME_COLOUR);
    const uint8_t face = on ? BOX_COLOUR : PANEL_BACKGROUND;
    canvas_.print_at(c.row, c.column, texts::HPF, fg, face);
    canvas_.print_at(c.row + 2, c.column, on ? std::to_string(p_.HPF) : std::string(texts::HPF_OFF), fg, face);
}

void Panel::ZEIGE_EQ() {
    const Rect r = control(ControlId::Equalizer).click;
    box(canvas_, r, BOX_COLOUR, FRAME_COLOUR);
    const int zero = (r.y1 + r.y2) / 2;
    canvas_.line(r.x1 + 1, zero, r.x2 - 1, zero, INACTIVE_TEXT);
    for (int k = 1; k <= EQ_BANDS; ++k) {
        const int x = 11 + 9 * k;
        const double gain = p_.EQ[k - 1];
        const int top = zero - static_cast<int>(std::nearbyint(2.0 * gain));
        canvas_.line(x - 2, zero, x + 2, top, gain >= 0 ? 4 : 1, LineMode::BoxFill);
        canvas_.line(x - 2, top, x + 2, top, TEXT_COLOUR);
    }
}

void Panel::show_gate(Band b) {
    const ControlSpec& c = control(gate_control(b));
    const int level = gate_of(p_, b);
    box(canvas_, c.click, BOX_COLOUR, FRAME_COLOUR);
    canvas_.print_at(c.row, c.column, std::string(texts::GATE) + " " + std::to_string(level),
                     level == 0 ? INACTIVE_TEXT : TEXT_COLOUR, BOX_COLOUR);
}

void Panel::show_bypass() {
    const bool on = p_.KOMPR_BYPASS == 1;
    if (on) {
        const Rect r = BYPASS_OVERLAY;
        for (int y = r.y1; y <= r.y2; y += 2)
            for (int x = r.x1; x <= r.x2; x += 2) {
                canvas_.point(x, y, 8);
                canvas_.point(x + 1, y + 1, 7);
            }
    }
    canvas_.disc(159, 332, 12, BOX_COLOUR);
    const ControlSpec& c = control(ControlId::Bypass);
    canvas_.print_at(c.row, c.column, texts::BYPASS, on ? TEXT_COLOUR : 8, BOX_COLOUR);
}

void Panel::ZEIGE_STARTBUTTON() {
    const bool loaded = file_loaded();
    const ControlSpec& c = control(ControlId::Start);
    box(canvas_, c.click, BUTTON_COLOUR, FRAME_COLOUR);
    if (loaded && start_hint) canvas_.print_at(c.row, c.column, texts::START_HINT, 4, BUTTON_COLOUR);
    else canvas_.print_at(c.row, c.column, texts::START, loaded ? 252 : 7, BUTTON_COLOUR);
}

void Panel::show_stop_button() {
    const ControlSpec& c = control(ControlId::Start);
    box(canvas_, c.click, BUTTON_COLOUR, FRAME_COLOUR);
    canvas_.print_at(c.row, c.column, texts::STOP, 252, BUTTON_COLOUR);
}

void Panel::draw_header() {
    for (int i = 0; i < 3; ++i)
        canvas_.print_at(3 + 2 * i, 3, texts::HEADER[i](state_.LANGUAGE), TEXT_COLOUR, PANEL_BACKGROUND);
}

void Panel::draw_top_buttons() {
    draw_button(ControlId::Exit, texts::EXIT, TEXT_COLOUR, BUTTON_COLOUR);
    draw_button(ControlId::Info, texts::INFO, TEXT_COLOUR, BUTTON_COLOUR);
    draw_button(ControlId::Open, texts::OPEN, TEXT_COLOUR, BUTTON_COLOUR);
    ZEIGE_STARTBUTTON();
}

void Panel::draw_sections() {
    for (const Rect& r : {INPUT_SECTION, COMPRESSOR_SECTION, LIMITER_SECTION, SETUP_SECTION})
        canvas_.line(r.x1, r.y1, r.x2, r.y2, FRAME_COLOUR, LineMode::Box);
    const std::string_view foresighted = texts::FORESIGHTED(state_.LANGUAGE);
    canvas_.print_at(15, 7, texts::IN_GAIN_TITLE, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print_at(15, 24, texts::COMPRESSOR_TITLE, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print(foresighted);
    canvas_.print_at(15, 76, texts::LIMITER_TITLE, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print(foresighted);
    canvas_.print_at(35, 7, texts::LEVELER_TITLE, TEXT_COLOUR, PANEL_BACKGROUND);
    constexpr struct { int row, column; const char* number; } numbers[] = {
        {15, 4, "1"}, {35, 4, "2"}, {15, 21, "3"}, {15, 64, "4"}, {15, 73, "5"}};
    for (const auto& n : numbers) canvas_.print_at(n.row, n.column, n.number, 15, 4);
}

void Panel::draw_compressor_labels() {
    const int high_row = band_row(Band::High);
    for (const KnobSpec& k : knob_table()) {
        if (k.row != high_row || k.column < 23 || k.column > 62) continue;
        const KnobLabels l = knob_labels(k.kind);
        canvas_.print_at(17, k.column + l.column_offset, l.line1, TEXT_COLOUR, PANEL_BACKGROUND);
        canvas_.print_at(18, k.column + l.column_offset, l.line2, TEXT_COLOUR, PANEL_BACKGROUND);
    }
}

void Panel::draw_band_knobs(Band b) {
    // The band's name, written downwards beside its row.
    const std::string names = to_cp437(texts::BAND_NAMES(state_.LANGUAGE));
    const int part = b == Band::High ? 0 : b == Band::Midd ? 1 : 2;
    for (int i = 0; i < 8 && part * 8 + i < static_cast<int>(names.size()); ++i) {
        canvas_.text_colour(TEXT_COLOUR, PANEL_BACKGROUND);
        canvas_.locate(BAND_NAME_FIRST_ROW + part * 8 + i, BAND_NAME_COLUMN);
        canvas_.print_cp437(names.substr(part * 8 + i, 1));
    }
    for (const KnobSpec& k : knob_table())
        if (k.band == b && k.kind >= KnobKind::Threshold && k.kind <= KnobKind::Makeup) show_knob(k.id);
}

void Panel::draw_meter_scales() {
    canvas_.print_at(17, 50, texts::GAIN, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print_at(18, 50, texts::REDUCTION, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print_at(19, 49, texts::METER_SCALE, 41, PANEL_BACKGROUND);
    canvas_.print_at(28, 73, texts::GAIN, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print_at(29, 73, texts::REDUCTION, TEXT_COLOUR, PANEL_BACKGROUND);
    canvas_.print_at(28, 86, texts::METER_SCALE, 41, PANEL_BACKGROUND);
}

void Panel::show_file_line() {
    canvas_.print_at(11, 4, pad_right(texts::FILE_LABEL(state_.LANGUAGE), 7), TEXT_COLOUR, PANEL_BACKGROUND);
    // The name up to the buttons on the right (columns 11 ... 91).
    constexpr std::size_t width = 81;
    const std::string& name = state_.display_source_name;
    const std::string shown = utf8_length(name) > width ? "..." + utf8_tail(name, width - 3) : name;
    canvas_.print_at(11, 11, pad_right(shown, width), TEXT_COLOUR, PANEL_BACKGROUND);
}

void Panel::show_output_format() {
    draw_button(ControlId::OutputFormat, outformat_text(p_.OUTFORMAT, source_channels), TEXT_COLOUR, BOX_COLOUR);
}

void Panel::show_language() {
    draw_button(ControlId::Language, texts::LANGUAGE_BUTTON(state_.LANGUAGE), TEXT_COLOUR, BOX_COLOUR);
}

void Panel::show_setup_block() {
    canvas_.print_at(33, 73, texts::SETUP_TITLE, TEXT_COLOUR, PANEL_BACKGROUND);
    draw_button(ControlId::MoreVocal, texts::MORE_VOCAL(state_.LANGUAGE), TEXT_COLOUR, BUTTON_COLOUR);
    draw_button(ControlId::MoreInstrument, texts::MORE_INSTRUMENT(state_.LANGUAGE), TEXT_COLOUR, BUTTON_COLOUR);
    for (int i = 0; i < 4; ++i)
        draw_button(static_cast<ControlId>(static_cast<int>(ControlId::PresetVocSoft) + i), texts::PRESET_BUTTONS[i],
                    TEXT_COLOUR, BOX_COLOUR);
    for (int slot = 1; slot <= 14; ++slot) {
        char label[4] = {'u', static_cast<char>('0' + slot / 10), static_cast<char>('0' + slot % 10), 0};
        const bool named = !state_.user_setup_names[slot - 1].empty();
        draw_button(user_slot_control(slot), label, named ? TEXT_COLOUR : INACTIVE_TEXT, BOX_COLOUR);
    }
    show_output_format();
    show_language();
}

void Panel::show_envelope_frames() {
    for (const Rect& r : {SOURCE_STRIP, RESULT_STRIP}) box(canvas_, r, 29, 0);
    if (draw_envelopes && file_loaded()) draw_envelopes();
}

void Panel::D__DECKELZEIGEN() {
    platform::ScreenLockScope lock(canvas_.screen_lock(), platform::ScreenLock::GENERAL);
    canvas_.clear(PANEL_BACKGROUND);
    draw_header();
    draw_top_buttons();
    draw_sections();
    ZEIGE_INPUTGAIN();
    ZEIGE_INPUTAUTO();
    ZEIGE_HPF();
    ZEIGE_EQ();
    draw_compressor_labels();
    for (const Band b : {Band::Bass, Band::Midd, Band::High}) draw_band_knobs(b);
    draw_meter_scales();
    for (const KnobSpec& k : knob_table())
        if (k.kind >= KnobKind::LimiterThreshold) {
            const KnobLabels l = knob_labels(k.kind);
            canvas_.print_at(17, k.column + l.column_offset, l.line1, TEXT_COLOUR, PANEL_BACKGROUND);
            canvas_.print_at(18, k.column + l.column_offset, l.line2, TEXT_COLOUR, PANEL_BACKGROUND);
            show_knob(k.id);
        }
    ZEIGE_GATEHIGH();
    ZEIGE_GATEMIDD();
    ZEIGE_GATEBASS();
    show_bypass();
    show_file_line();
    show_setup_block();
    info_.clear();
    show_envelope_frames();
    state_.last_full_redraw = canvas_.window().clock().timer();
}

void Panel::step_cycle() {
    cycle_colour_ = static_cast<int16_t>(cycle_colour_ + cycle_step_);
    if (cycle_colour_ <= 190) {
        cycle_step_ = 1;
        cycle_colour_ = 191;
    } else if (cycle_colour_ >= 249) {
        cycle_step_ = -1;
        cycle_colour_ = 248;
    }
}

void Panel::FARBENSPIEL() {
    step_cycle();
    const uint8_t cycle = static_cast<uint8_t>(cycle_colour_);
    const ControlSpec& start = control(ControlId::Start);
    const ControlSpec& open = control(ControlId::Open);
    if (file_loaded()) {
        canvas_.print_at(start.row, start.column, texts::START, cycle, 26);
        canvas_.print_at(open.row, open.column, texts::OPEN, 252, BUTTON_COLOUR);
        return;
    }
    canvas_.print_at(start.row, start.column, texts::START, 8, BUTTON_COLOUR);
    canvas_.print_at(open.row, open.column, texts::OPEN, cycle, BUTTON_COLOUR);
    for (int x0 = 738; x0 <= 786; x0 += 6)
        for (const int x : {x0, x0 + 3})
            for (int y = 53; y <= 65; y += 2)
                if (canvas_.colour_at(x, y) != cycle)
                    canvas_.point(x, y, static_cast<uint8_t>(std::nearbyint(215 - 25 * canvas_.random())));
}

void Panel::FARBENSPIEL2() {
    step_cycle();
    const ControlSpec& start = control(ControlId::Start);
    canvas_.print_at(start.row, start.column, texts::STOP, static_cast<uint8_t>(cycle_colour_), BUTTON_COLOUR);
}

}  // namespace sc::ui
