#include "ui/panel_layout.h"

namespace sc::ui {

namespace {

constexpr int HIGH_ROW = 18, MIDD_ROW = 26, BASS_ROW = 34;
constexpr int HIGH_Y1 = 152, HIGH_Y2 = 208, MIDD_Y1 = 217, MIDD_Y2 = 272, BASS_Y1 = 280, BASS_Y2 = 336;

constexpr std::array<KnobSpec, KNOB_COUNT> kKnobs = {{
    {KnobId::INPUTGAIN, "INPUTGAIN", KnobKind::InputGain, Band::Midd, 4, 18, {26, 69, 152, 208}},
    {KnobId::KOMPR_THRHIGH, "KOMPR_THRHIGH", KnobKind::Threshold, Band::High, 23, HIGH_ROW, {179, 220, HIGH_Y1, HIGH_Y2}},
    {KnobId::KOMPR_RATHIGH, "KOMPR_RATHIGH", KnobKind::Ratio, Band::High, 29, HIGH_ROW, {226, 269, HIGH_Y1, HIGH_Y2}},
    {KnobId::KOMPR_ATTHIGH, "KOMPR_ATTHIGH", KnobKind::Attack, Band::High, 36, HIGH_ROW, {283, 325, HIGH_Y1, HIGH_Y2}},
    {KnobId::KOMPR_RELHIGH, "KOMPR_RELHIGH", KnobKind::Release, Band::High, 42, HIGH_ROW, {331, 372, HIGH_Y1, HIGH_Y2}},
    {KnobId::KOMPR_OUTHIGH, "KOMPR_OUTHIGH", KnobKind::Makeup, Band::High, 62, HIGH_ROW, {491, 533, HIGH_Y1, HIGH_Y2}},
    {KnobId::KOMPR_THRMIDD, "KOMPR_THRMIDD", KnobKind::Threshold, Band::Midd, 23, MIDD_ROW, {179, 220, MIDD_Y1, MIDD_Y2}},
    {KnobId::KOMPR_RATMIDD, "KOMPR_RATMIDD", KnobKind::Ratio, Band::Midd, 29, MIDD_ROW, {226, 269, MIDD_Y1, MIDD_Y2}},
    {KnobId::KOMPR_ATTMIDD, "KOMPR_ATTMIDD", KnobKind::Attack, Band::Midd, 36, MIDD_ROW, {283, 325, MIDD_Y1, MIDD_Y2}},
    {KnobId::KOMPR_RELMIDD, "KOMPR_RELMIDD", KnobKind::Release, Band::Midd, 42, MIDD_ROW, {331, 372, MIDD_Y1, MIDD_Y2}},
    {KnobId::KOMPR_OUTMIDD, "KOMPR_OUTMIDD", KnobKind::Makeup, Band::Midd, 62, MIDD_ROW, {491, 533, MIDD_Y1, MIDD_Y2}},
    {KnobId::KOMPR_THRBASS, "KOMPR_THRBASS", KnobKind::Threshold, Band::Bass, 23, BASS_ROW, {179, 220, BASS_Y1, BASS_Y2}},
    {KnobId::KOMPR_RATBASS, "KOMPR_RATBASS", KnobKind::Ratio, Band::Bass, 29, BASS_ROW, {226, 269, BASS_Y1, BASS_Y2}},
    {KnobId::KOMPR_ATTBASS, "KOMPR_ATTBASS", KnobKind::Attack, Band::Bass, 36, BASS_ROW, {283, 325, BASS_Y1, BASS_Y2}},
    {KnobId::KOMPR_RELBASS, "KOMPR_RELBASS", KnobKind::Release, Band::Bass, 42, BASS_ROW, {331, 372, BASS_Y1, BASS_Y2}},
    {KnobId::KOMPR_OUTBASS, "KOMPR_OUTBASS", KnobKind::Makeup, Band::Bass, 62, BASS_ROW, {491, 533, BASS_Y1, BASS_Y2}},
    {KnobId::LIMI_THR, "LIMI_THR", KnobKind::LimiterThreshold, Band::Midd, 72, 18, {571, 612, 152, 208}},
    {KnobId::LIMI_ATT, "LIMI_ATT", KnobKind::LimiterAttack, Band::Midd, 79, 18, {628, 669, 152, 208}},
    {KnobId::LIMI_REL, "LIMI_REL", KnobKind::LimiterRelease, Band::Midd, 85, 18, {675, 716, 152, 208}},
    {KnobId::LIMI_OUTGAIN, "LIMI_OUTGAIN", KnobKind::LimiterOutput, Band::Midd, 92, 18, {730, 772, 152, 208}},
}};

constexpr std::array<ControlSpec, CONTROL_COUNT> kControls = {{
    {ControlId::Start, {734, 792, 74, 95}, 11, 93},
    {ControlId::Exit, {734, 792, 4, 20}, 2, 94},
    {ControlId::Info, {734, 792, 28, 44}, 5, 94},
    {ControlId::Bypass, {148, 170, 321, 343}, 42, 20},
    {ControlId::Equalizer, {9, 128, 220, 260}, 0, 0},
    {ControlId::SourceEnvelope, {9, 792, 400, 456}, 0, 0},
    {ControlId::ResultEnvelope, {9, 792, 461, 521}, 0, 0},
    {ControlId::Open, {734, 792, 52, 68}, 8, 94},
    {ControlId::Hpf, {82, 118, 175, 202}, 23, 12},
    {ControlId::InputAuto, {17, 60, 294, 331}, 38, 4},
    {ControlId::PresetVocSoft, {564, 636, 276, 290}, 36, 72},
    {ControlId::PresetVocHard, {564, 636, 292, 306}, 38, 72},
    {ControlId::PresetMusSoft, {564, 636, 308, 322}, 40, 72},
    {ControlId::PresetMusHard, {564, 636, 324, 338}, 42, 72},
    {ControlId::GateHigh, {386, 445, 190, 202}, 25, 50},
    {ControlId::GateMidd, {386, 445, 254, 267}, 33, 50},
    {ControlId::GateBass, {386, 445, 317, 331}, 41, 50},
    {ControlId::MoreVocal, {634, 692, 252, 266}, 33, 81},
    {ControlId::MoreInstrument, {706, 764, 252, 266}, 33, 90},
    {ControlId::UserSlot1, {651, 681, 277, 291}, 36, 83},
    {ControlId::UserSlot2, {651, 681, 293, 307}, 38, 83},
    {ControlId::UserSlot3, {651, 681, 309, 323}, 40, 83},
    {ControlId::UserSlot4, {651, 681, 325, 339}, 42, 83},
    {ControlId::UserSlot5, {683, 713, 277, 291}, 36, 87},
    {ControlId::UserSlot6, {683, 713, 293, 307}, 38, 87},
    {ControlId::UserSlot7, {683, 713, 309, 323}, 40, 87},
    {ControlId::UserSlot8, {683, 713, 325, 339}, 42, 87},
    {ControlId::UserSlot9, {715, 745, 277, 291}, 36, 91},
    {ControlId::UserSlot10, {715, 745, 293, 307}, 38, 91},
    {ControlId::UserSlot11, {715, 745, 309, 323}, 40, 91},
    {ControlId::UserSlot12, {715, 745, 325, 339}, 42, 91},
    {ControlId::UserSlot13, {747, 777, 277, 291}, 36, 95},
    {ControlId::UserSlot14, {747, 777, 293, 307}, 38, 95},
    {ControlId::OutputFormat, {747, 777, 309, 323}, 40, 95},
    {ControlId::Language, {747, 777, 325, 339}, 42, 95},
}};

}  // namespace

const std::array<KnobSpec, KNOB_COUNT>& knob_table() { return kKnobs; }

const KnobSpec& knob(KnobId id) { return kKnobs[static_cast<int>(id)]; }

KnobLabels knob_labels(KnobKind kind) {
    constexpr KnobLabels labels[] = {
        {"GAIN", " dB ", 1},   // InputGain
        {"THRE", "dBFS", 1},   // Threshold
        {"RATIO", "nn:1", 1},  // Ratio
        {"ATT.", "msec", 1},   // Attack
        {"REL.", "msec", 1},   // Release
        {"OUT", " dB", 1},     // Makeup
        {"THRE", " dB ", 1},   // LimiterThreshold
        {"ATT.", "msec", 1},   // LimiterAttack
        {"REL.", "msec", 1},   // LimiterRelease
        {"OUT", " dB", 1},     // LimiterOutput
    };
    return labels[static_cast<int>(kind)];
}

std::optional<KnobId> knob_at(int x, int y) {
    for (const KnobSpec& k : kKnobs)
        if (k.click.contains(x, y)) return k.id;
    return std::nullopt;
}

int band_row(Band b) { return b == Band::High ? HIGH_ROW : b == Band::Midd ? MIDD_ROW : BASS_ROW; }

const std::array<ControlSpec, CONTROL_COUNT>& control_table() { return kControls; }

const ControlSpec& control(ControlId id) { return kControls[static_cast<int>(id)]; }

int user_slot_of(ControlId id) {
    const int i = static_cast<int>(id) - static_cast<int>(ControlId::UserSlot1);
    return i >= 0 && i < 14 ? i + 1 : 0;
}

ControlId user_slot_control(int slot) { return static_cast<ControlId>(static_cast<int>(ControlId::UserSlot1) + slot - 1); }

ControlId gate_control(Band b) {
    return b == Band::High ? ControlId::GateHigh : b == Band::Midd ? ControlId::GateMidd : ControlId::GateBass;
}

}  // namespace sc::ui
