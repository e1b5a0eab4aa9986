#include "settings/presets.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "settings/parameter_steps.h"

namespace sc {

namespace {

using P = PresetId;
using G = PresetGroup;
constexpr int OFF = 0, FAST = 1, SLOW = 2;

// clang-format off
constexpr std::array<PresetRecord, PRESET_COUNT> kPresets = {{
    // id, group, procedure, label,
    // input gain, leveler, slow leveler times, HPF,
    // EQ 100 160 250 400 630 1k 1k6 2k5 4k 6k3 10k 15k,
    // thresholds B/M/H dBFS, ratio, attack B/M/H, release B/M/H, make-up B/M/H, gates B/M/H,
    // LIMI_THR, LIMI_ATT, LIMI_REL, LIMI_OUTGAIN
    {P::VOICESOFT, G::Panel, "SETUP_VOICESOFT", {"VOC_soft", "VOC_soft"},
     1.6f, OFF, true, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {-10, -9, -14}, 2.5f, {6, 6, 3}, {10, 10, 11}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29152, 8, 5, 1.0f},
    {P::VOICEHARD, G::Panel, "SETUP_VOICEHARD", {"VOC_hard", "VOC_hard"},
     2.0f, FAST, false, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {-8, -7, -12}, 4.0f, {3, 3, 2}, {6, 6, 6}, {1.13f, 1.0f, 1.0f}, {0, 0, 0},
     29152, 7, 4, 1.0f},
    {P::MUSICSOFT, G::Panel, "SETUP_MUSICSOFT", {"MUS_soft", "MUS_soft"},
     1.6f, SLOW, true, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {-13, -12, -20}, 2.25f, {12, 13, 9}, {15, 16, 9}, {1.1225f, 1.0f, 0.891266f}, {0, 0, 0},
     28997, 8, 3, 1.0f},
    {P::MUSICHARD, G::Panel, "SETUP_MUSICHARD", {"MUS_hard", "MUS_hard"},
     2.0f, FAST, false, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {-10, -9, -14}, 3.5f, {11, 11, 8}, {13, 13, 8}, {1.1225f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 7, 3, 1.0f},

    {P::SOPRAN_SOFT, G::Vocal, "SETUP_SOPRAN_SOFT", {"VOKAL: Sopran_Soft", "VOCAL: Soprano_Soft"},
     2.0f, FAST, false, 150, {0, 0, 2, 0, 0, -1, -1, 0, 1, 0, 1, 0},
     {-15, -9, -14}, 1.75f, {7, 9, 7}, {9, 10, 8}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 9, 6, 1.0f},
    {P::SOPRAN_MEDIUM, G::Vocal, "SETUP_SOPRAN_MEDIUM", {"VOKAL: Sopran_Medium", "VOCAL: Soprano_Medium"},
     2.0f, FAST, false, 150, {0, 0, 2, 0.5f, 0, -1, -1, 0, 1, 0, 1, 0},
     {-15, -9, -14}, 2.25f, {5, 7, 5}, {7, 8, 6}, {1.13f, 1.13f, 1.13f}, {0, 0, 0},
     29178, 7, 5, 1.0f},
    {P::SOPRAN_HARD, G::Vocal, "SETUP_SOPRAN_HARD", {"VOKAL: Sopran_Hart", "VOCAL: Soprano_Hard"},
     2.0f, FAST, false, 150, {0, 0, 2, 0.5f, 0, -1, -1, 0, 1, 0, 1, 0},
     {-15, -9, -14}, 3.0f, {4, 4, 3}, {5, 5, 4}, {1.26f, 1.26f, 1.26f}, {0, 0, 0},
     29178, 7, 5, 1.0f},
    {P::ALT_SOFT, G::Vocal, "SETUP_ALT_SOFT", {"VOKAL: Alt_Soft", "VOCAL: Alto_Soft"},
     2.0f, FAST, false, 120, {0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0},
     {-14, -9, -14}, 1.75f, {8, 10, 8}, {10, 11, 9}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 9, 6, 1.0f},
    {P::ALT_MEDIUM, G::Vocal, "SETUP_ALT_MEDIUM", {"VOKAL: Alt_Medium", "VOCAL: Alto_Medium"},
     2.0f, FAST, false, 120, {0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0},
     {-14, -9, -14}, 2.25f, {6, 8, 6}, {8, 9, 7}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 8, 5, 1.0f},
    {P::ALT_HARD, G::Vocal, "SETUP_ALT_HARD", {"VOKAL: Alt_Hart", "VOCAL: Alto_Hard"},
     2.0f, FAST, false, 120, {0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0},
     {-14, -9, -14}, 3.0f, {4, 4, 4}, {6, 7, 5}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 6, 5, 1.0f},
    {P::BASS_SOFT, G::Vocal, "SETUP_BASS_SOFT", {"VOKAL: Bass_Soft", "VOCAL: Bass_Soft"},
     2.0f, FAST, false, 100, {1, 1, -1, -1, 0, 0, 0, 0, 2, 0, 0, 0},
     {-12, -9, -14}, 1.75f, {9, 11, 9}, {11, 12, 10}, {1.0f, 1.0f, 1.125f}, {0, 0, 0},
     29178, 10, 7, 1.0f},
    {P::BASS_MEDIUM, G::Vocal, "SETUP_BASS_MEDIUM", {"VOKAL: Bass_Medium", "VOCAL: Bass_Medium"},
     2.0f, FAST, false, 100, {1, 1, -1, -1, 0, 0, 0, 0, 2, 0, 0, 0},
     {-12, -9, -14}, 2.25f, {7, 9, 7}, {9, 9, 8}, {1.0f, 1.0f, 1.125f}, {0, 0, 0},
     29178, 8, 6, 1.0f},
    {P::BASS_HARD, G::Vocal, "SETUP_BASS_HARD", {"VOKAL: Bass_Hart", "VOCAL: Bass_Hard"},
     2.0f, FAST, false, 100, {1, 1, -1, -1, 0, 0, 0, 0, 2, 0, 0, 0},
     {-12, -9, -14}, 3.0f, {5, 7, 5}, {7, 7, 6}, {1.0f, 1.0f, 1.125f}, {0, 0, 0},
     29178, 7, 5, 1.0f},

    {P::BD_ALLG, G::Instrument, "SETUP_BD_ALLG", {"BassDrum: allgemein", "BassDrum: general"},
     2.0f, OFF, false, 0, {5, -1, -5, -8, -4, 0, 0, 4, 9, 6, 2, -3},
     {-12, -20, -30}, 3.0f, {5, 5, 5}, {6, 7, 6}, {1.125f, 1.0f, 1.0f}, {6, 5, 4},
     26006, 7, 11, 1.0f},
    {P::BD_DRUCK, G::Instrument, "SETUP_BD_DRUCK", {"BassDrum: mehr Druck", "BassDrum: more drive"},
     2.0f, OFF, false, 0, {6, 0, -5, -8, -4, 0, 0, 4, 9, 6, 2, -3},
     {-10, -18, -30}, 4.0f, {7, 7, 7}, {6, 7, 6}, {1.26f, 1.0f, 1.26f}, {6, 5, 4},
     26006, 7, 11, 1.0f},
    {P::SN_ALLG, G::Instrument, "SETUP_SN_ALLG", {"Snare: allgemein", "Snare: general"},
     2.0f, OFF, false, 100, {0, 3, 1, -1, -3, 0, 0, 0, 2, 3, 0, -1},
     {-14, -12, -14}, 3.0f, {4, 4, 4}, {7, 7, 7}, {1.26f, 1.0f, 1.125f}, {5, 5, 4},
     29178, 7, 5, 1.0f},
    {P::SN_KONT, G::Instrument, "SETUP_SN_KONT", {"Snare: kontrolliert", "Snare: controlled"},
     2.0f, OFF, false, 100, {0, 3, 1, -1, -3, 0, 0, 0, 2, 3, 0, -1},
     {-14, -12, -27}, 4.0f, {3, 3, 1}, {9, 9, 10}, {1.26f, 1.0f, 1.125f}, {5, 5, 4},
     16384, 3, 8, 1.42f},
    {P::SN_KNALL, G::Instrument, "SETUP_SN_KNALL", {"Snare: knallt", "Snare: popping"},
     2.0f, OFF, false, 100, {0, 3, 1, -1, -3, 0, 0, 0, 2, 3, 0, -1},
     {-20, -18, -26}, 3.0f, {9, 9, 9}, {7, 7, 7}, {1.26f, 1.0f, 1.125f}, {5, 5, 4},
     20608, 3, 8, 1.26f},
    {P::TOM_ALLG, G::Instrument, "SETUP_TOM_ALLG", {"Toms:  allgemein", "Toms:  general"},
     2.0f, OFF, false, 0, {0, 0, 0, -2, -3, 0, 0, 3, 5, 2, 1, 0},
     {-12, -20, -30}, 2.5f, {6, 6, 6}, {7, 8, 7}, {1.26f, 1.0f, 1.0f}, {6, 6, 4},
     26006, 7, 11, 1.0f},
    {P::OH_ALLG, G::Instrument, "SETUP_OH_ALLG", {"Overhead: allgemein", "Overhead: general"},
     2.0f, FAST, false, 150, {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1, -1},
     {-12, -9, -14}, 2.5f, {8, 8, 8}, {11, 11, 11}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     29178, 7, 5, 1.0f},
    {P::EB_ALLG, G::Instrument, "SETUP_EB_ALLG", {"E-Bass: allgemein", "E-Bass: general"},
     2.0f, OFF, false, 0, {0, 1, 2, 1, -1, 1, 3, 0, -2, 0, -2, -6},
     {-9, -21, -30}, 2.0f, {9, 9, 9}, {12, 12, 12}, {1.0f, 1.0f, 1.0f}, {0, 0, 0},
     26006, 7, 9, 1.0f},
    {P::SLB_ALLG, G::Instrument, "SETUP_SLB_ALLG", {"Slap-Bass: allgemein", "Slap-Bass: genral"},
     2.0f, OFF, false, 0, {0, 1, 3, 1, -1, 0, 3, 1, 3, 1, 0, -6},
     {-9, -21, -30}, 2.25f, {6, 7, 7}, {7, 8, 8}, {1.13f, 1.0f, 1.0f}, {0, 0, 0},
     28997, 7, 9, 1.0f},
    {P::SLB_DICHT, G::Instrument, "SETUP_SLB_DICHT", {"Slap-Bass: dicht", "Slap-Bass: dense"},
     2.0f, OFF, false, 0, {0, 1, 3, 1, -1, 0, 3, 1, 3, 1, 0, -6},
     {-9, -21, -30}, 2.25f, {6, 7, 7}, {7, 8, 8}, {1.13f, 1.0f, 1.0f}, {0, 0, 0},
     20479, 13, 15, 1.0f},
    {P::EG_CLEAN, G::Instrument, "SETUP_EG_CLEAN", {"E-Git: clean", "E-Git: clean"},
     2.0f, FAST, false, 100, {1, 2, 2, 1, 0, -1, -1, 0, -4, -4, -4, -4},
     {-12, -9, -14}, 2.0f, {5, 7, 5}, {7, 7, 6}, {1.0f, 1.0f, 1.125f}, {0, 0, 4},
     29178, 7, 5, 1.0f},
    {P::EG_LEAD, G::Instrument, "SETUP_EG_LEAD", {"E-Git: lead", "E-Git: lead"},
     2.0f, FAST, false, 100, {1, 2, 2, 1, 0, -1, -1, 1, -2, -4, -4, -4},
     {-12, -9, -14}, 3.0f, {6, 7, 6}, {8, 8, 7}, {1.0f, 1.0f, 1.125f}, {0, 0, 4},
     29178, 7, 5, 1.0f},
    {P::AG_ALLG, G::Instrument, "SETUP_AG_ALLG", {"A-Git: allgemein", "A-Git: general"},
     2.0f, FAST, false, 100, {0, -2, 1, 1, -2, -1, -1, -3, -3, -2, -2, -3},
     {-12, -9, -14}, 2.0f, {7, 7, 7}, {9, 9, 9}, {1.0f, 1.0f, 1.125f}, {0, 0, 4},
     29178, 7, 5, 1.0f},
    {P::ST_ALLG, G::Instrument, "SETUP_ST_ALLG", {"Streicher: allgemein", "Strings: general"},
     2.0f, FAST, false, 100, {1, 1, -1, -1, 0, 0, 0, 0, 2, 0, 0, 0},
     {-9, -9, -12}, 2.0f, {5, 7, 5}, {8, 8, 8}, {1.0f, 1.0f, 1.125f}, {0, 0, 0},
     29178, 7, 5, 1.0f},
}};
// clang-format on

constexpr bool ids_in_order() {
    for (int i = 0; i < PRESET_COUNT; ++i)
        if (static_cast<int>(kPresets[i].id) != i) return false;
    return true;
}
static_assert(ids_in_order(), "the preset table is indexed by PresetId");

// Lower-case letters and digits only.
std::string normalized(std::string_view s) {
    std::string out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) out += static_cast<char>(std::tolower(u));
    }
    return out;
}

std::string without_prefix(std::string_view label, std::string_view prefix) {
    if (label.substr(0, prefix.size()) == prefix) return normalized(label.substr(prefix.size()));
    return normalized(label);
}

int32_t threshold_amplitude(int db) { return amplitude_of_db(db); }

void round_threshold(int32_t& thr) {
    const double db = std::nearbyint(db_of_amplitude(std::max<int32_t>(thr, 1)));
    thr = amplitude_of_db(db);
}

}  // namespace

const std::array<PresetRecord, PRESET_COUNT>& factory_presets() { return kPresets; }

std::string preset_name_key(std::string_view name) { return normalized(name); }

const PresetRecord& preset(PresetId id) { return kPresets[static_cast<int>(id)]; }

std::optional<PresetId> find_preset(std::string_view name) {
    const std::string key = normalized(name);
    if (key.empty()) return std::nullopt;
    for (const auto& r : kPresets) {
        const std::string proc = normalized(r.procedure);
        if (key == proc || key == proc.substr(5) /* "setup" */) return r.id;
        for (const std::string_view label : {r.label.de, r.label.en}) {
            if (key == normalized(label)) return r.id;
            if (key == without_prefix(label, "VOKAL: ") || key == without_prefix(label, "VOCAL: ")) return r.id;
        }
    }
    return std::nullopt;
}

void SETUP_MEHR_V_FLAGS(ParameterSet& p, const VocalFlags& flags) {
    // EQ indices: 250 Hz = 2, 400 Hz = 3, 630 Hz = 4, 1 kHz = 5, 2.5 kHz = 7,
    // 4 kHz = 8, 6.3 kHz = 9.
    if (flags.less_muddy) {
        p.EQ[2] -= 2.0f;
        p.EQ[3] -= 1.0f;
        p.KOMPR_OUTBASS = static_cast<float>(p.KOMPR_OUTBASS * 1.123);
        p.KOMPR_THRBASS = static_cast<int32_t>(std::nearbyint(p.KOMPR_THRBASS / 1.26));
    }
    if (flags.less_hissing) {
        p.EQ[9] -= 2.5f;
        p.KOMPR_OUTHIGH = static_cast<float>(p.KOMPR_OUTHIGH * 1.123);
        p.KOMPR_THRHIGH = static_cast<int32_t>(std::nearbyint(p.KOMPR_THRHIGH / 1.8));
    }
    if (flags.less_nose) {
        p.EQ[4] -= 2.5f;
        p.EQ[5] -= 1.0f;
    }
    if (flags.more_presence) {
        p.EQ[2] -= 2.0f;
        p.EQ[7] += 1.0f;
        p.EQ[8] += 2.5f;
        p.KOMPR_OUTHIGH = static_cast<float>(p.KOMPR_OUTHIGH * 1.26);
    }
    for (float& g : p.EQ) g = std::clamp(g, -9.0f, 9.0f);
}

void apply_preset(ParameterSet& p, PresetId id, const VocalFlags& flags, PresetHost& host) {
    const PresetRecord& r = preset(id);

    // 1. the eight time indices with their table values
    set_time_index(p.KOMPR_ATTBASS, TimeTable::AttBass, r.attack[0]);
    set_time_index(p.KOMPR_ATTMIDD, TimeTable::AttMidd, r.attack[1]);
    set_time_index(p.KOMPR_ATTHIGH, TimeTable::AttHigh, r.attack[2]);
    set_time_index(p.KOMPR_RELBASS, TimeTable::RelBass, r.release[0]);
    set_time_index(p.KOMPR_RELMIDD, TimeTable::RelMidd, r.release[1]);
    set_time_index(p.KOMPR_RELHIGH, TimeTable::RelHigh, r.release[2]);
    set_time_index(p.LIMI_ATT, TimeTable::AttMidd, r.limi_att);
    set_time_index(p.LIMI_REL, TimeTable::RelMidd, r.limi_rel);

    // 2. input stage, equalizer and bands
    p.HPF = r.hpf;
    p.EQ = r.eq;
    host.reset_time_sample_rate();
    p.INPUTAUTO = r.input_auto;
    p.LEVE_ATT = r.slow_leveler_times ? 8000 : 4000;
    p.LEVE_REL = r.slow_leveler_times ? 100000 : 60000;
    host.reset_running_gain(1);
    p.LEVE_TARGET = 13003;
    p.INPUTGAIN = r.input_gain;
    p.KOMPR_RATBASS = p.KOMPR_RATMIDD = p.KOMPR_RATHIGH = r.ratio;
    p.KOMPR_OUTBASS = r.makeup[0];
    p.KOMPR_OUTMIDD = r.makeup[1];
    p.KOMPR_OUTHIGH = r.makeup[2];
    p.KOMPR_THRBASS = threshold_amplitude(r.threshold_db[0]);
    p.KOMPR_THRMIDD = threshold_amplitude(r.threshold_db[1]);
    p.KOMPR_THRHIGH = threshold_amplitude(r.threshold_db[2]);

    // 3. the vocal attributes act before the thresholds are rounded
    if (r.group == PresetGroup::Vocal) SETUP_MEHR_V_FLAGS(p, flags);

    // 4. thresholds to whole dB
    round_threshold(p.KOMPR_THRBASS);
    round_threshold(p.KOMPR_THRMIDD);
    round_threshold(p.KOMPR_THRHIGH);

    // 5. gates and limiter
    p.GATEBASS = r.gates[0];
    p.GATEMIDD = r.gates[1];
    p.GATEHIGH = r.gates[2];
    p.LIMI_OUTGAIN = r.limi_outgain;
    p.LIMI_THR = r.limi_thr;

    // 6. rebuild; the redraw snaps the whole-dB settings, it rebuilds nothing
    host.K_KURVE_ERZEUGEN_LIMI();
    host.reset_running_gain(2);
    host.ATT_REL_ANRATEANPASSEN();
    host.D__DECKELZEIGEN();
}

}  // namespace sc
