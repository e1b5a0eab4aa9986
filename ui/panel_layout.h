// Where every control of the panel sits: its text cell, its labels and the
// rectangle that reacts to the pointer. Drawing, clicks and hover texts all
// read these tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "settings/parameter_steps.h"

namespace sc::ui {

// A pixel rectangle, both ends inclusive.
struct Rect {
    int x1, x2, y1, y2;
    constexpr bool contains(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

enum class KnobKind {
    InputGain, Threshold, Ratio, Attack, Release, Makeup,
    LimiterThreshold, LimiterAttack, LimiterRelease, LimiterOutput
};

enum class KnobId {
    INPUTGAIN,
    KOMPR_THRHIGH, KOMPR_RATHIGH, KOMPR_ATTHIGH, KOMPR_RELHIGH, KOMPR_OUTHIGH,
    KOMPR_THRMIDD, KOMPR_RATMIDD, KOMPR_ATTMIDD, KOMPR_RELMIDD, KOMPR_OUTMIDD,
    KOMPR_THRBASS, KOMPR_RATBASS, KOMPR_ATTBASS, KOMPR_RELBASS, KOMPR_OUTBASS,
    LIMI_THR, LIMI_ATT, LIMI_REL, LIMI_OUTGAIN,
};
inline constexpr int KNOB_COUNT = 20;

struct KnobSpec {
    KnobId id;
    const char* name;
    KnobKind kind;
    Band band;        // the compressor band (Midd for the limiter's tables)
    int column, row;  // the knob cell
    Rect click;
};

// The labels a kind of knob carries above it (rows 17 and 18).
struct KnobLabels {
    const char* line1;
    const char* line2;
    int column_offset;  // from the knob column
};

const std::array<KnobSpec, KNOB_COUNT>& knob_table();
const KnobSpec& knob(KnobId id);
KnobLabels knob_labels(KnobKind kind);
// The knob under the pointer, if any.
std::optional<KnobId> knob_at(int x, int y);

// The band rows of the compressor knobs.
inline constexpr std::array<Band, 3> BAND_ROW_ORDER = {Band::High, Band::Midd, Band::Bass};
int band_row(Band b);

// The other controls, in the order in which a click tests them.
enum class ControlId {
    Start, Exit, Info, Bypass, Equalizer, SourceEnvelope, ResultEnvelope, Open, Hpf, InputAuto,
    PresetVocSoft, PresetVocHard, PresetMusSoft, PresetMusHard,
    GateHigh, GateMidd, GateBass, MoreVocal, MoreInstrument,
    UserSlot1, UserSlot2, UserSlot3, UserSlot4, UserSlot5, UserSlot6, UserSlot7,
    UserSlot8, UserSlot9, UserSlot10, UserSlot11, UserSlot12, UserSlot13, UserSlot14,
    OutputFormat, Language,
};
inline constexpr int CONTROL_COUNT = 35;

struct ControlSpec {
    ControlId id;
    Rect click;
    int row, column;  // the text cell of its label (0 when it has none)
};

const std::array<ControlSpec, CONTROL_COUNT>& control_table();
const ControlSpec& control(ControlId id);
// User setup slot 1 ... 14 of a control, 0 for the others.
int user_slot_of(ControlId id);
ControlId user_slot_control(int slot);
ControlId gate_control(Band b);

// Main regions of the window.
inline constexpr Rect INPUT_SECTION{9, 128, 120, 340};
inline constexpr Rect COMPRESSOR_SECTION{150, 533, 126, 340};
inline constexpr Rect LIMITER_SECTION{571, 772, 120, 240};
inline constexpr Rect SETUP_SECTION{564, 792, 250, 340};
inline constexpr Rect BYPASS_OVERLAY{150, 478, 126, 340};
inline constexpr Rect INFO_BOX{9, 791, 350, 393};
inline constexpr Rect SOURCE_STRIP{9, 790, 398, 458};
inline constexpr Rect RESULT_STRIP{9, 790, 462, 522};

}  // namespace sc::ui
