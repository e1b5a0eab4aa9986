// The 27 factory presets, the vocal attribute flags, and applying a preset.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/parameter_set.h"
#include "settings/text.h"

namespace sc {

enum class PresetId : int {
    VOICESOFT, VOICEHARD, MUSICSOFT, MUSICHARD,
    SOPRAN_SOFT, SOPRAN_MEDIUM, SOPRAN_HARD,
    ALT_SOFT, ALT_MEDIUM, ALT_HARD,
    BASS_SOFT, BASS_MEDIUM, BASS_HARD,
    BD_ALLG, BD_DRUCK, SN_ALLG, SN_KONT, SN_KNALL, TOM_ALLG, OH_ALLG,
    EB_ALLG, SLB_ALLG, SLB_DICHT, EG_CLEAN, EG_LEAD, AG_ALLG, ST_ALLG,
};
inline constexpr int PRESET_COUNT = 27;

enum class PresetGroup { Panel, Vocal, Instrument };

// One factory preset as stored. Thresholds are held in whole dBFS; the
// stored amplitude is round(32767 * 10^(dB/20)).
struct PresetRecord {
    PresetId id;
    PresetGroup group;
    const char* procedure;  // "SETUP_VOICESOFT"
    TextPair label;         // panel button or selection-screen entry
    float input_gain;
    int32_t input_auto;
    bool slow_leveler_times;  // leveler times 8000/100000 instead of 4000/60000
    int32_t hpf;
    std::array<float, EQ_BANDS> eq;
    std::array<int, 3> threshold_db;  // BASS, MIDD, HIGH
    float ratio;                      // the same in all three bands
    std::array<int, 3> attack;        // indices BASS, MIDD, HIGH
    std::array<int, 3> release;
    std::array<float, 3> makeup;
    std::array<int16_t, 3> gates;
    int32_t limi_thr;                 // linear amplitude
    int limi_att;
    int limi_rel;
    float limi_outgain;
};

const std::array<PresetRecord, PRESET_COUNT>& factory_presets();
const PresetRecord& preset(PresetId id);

// The preset a name stands for: the procedure name (with or without
// "SETUP_"), the panel name or the selection-screen label in either
// language; case, spaces and punctuation do not matter.
std::optional<PresetId> find_preset(std::string_view name);
// A name as find_preset compares it: lower-case letters and digits only.
std::string preset_name_key(std::string_view name);

// The vocal attribute flags of the vocal selection screen.
struct VocalFlags {
    bool less_muddy = false;
    bool less_nose = false;
    bool less_hissing = false;
    bool more_presence = false;
};
inline constexpr TextPair VOCAL_FLAG_LESS_MUDDY{"    weniger Muff", "    less muddy"};
inline constexpr TextPair VOCAL_FLAG_LESS_NOSE{"    weniger Nase", "    less nose"};
inline constexpr TextPair VOCAL_FLAG_LESS_HISSING{"    weniger Zisch", "    less hissing"};
inline constexpr TextPair VOCAL_FLAG_MORE_PRESENCE{"    mehr Präsenz", "    more presence"};

// SETUP_MEHR_V_FLAGS: the set flags on top of a vocal preset, in the order
// less muddy, less hissing, less nose, more presence; then every EQ band is
// clamped to -9 .. +9 dB.
void SETUP_MEHR_V_FLAGS(ParameterSet& p, const VocalFlags& flags);

// What applying a preset rebuilds outside the parameter set.
class PresetHost {
public:
    virtual ~PresetHost() = default;
    virtual void reset_time_sample_rate() = 0;        // back to 44100
    virtual void reset_running_gain(int which) = 0;   // 1, then 2
    virtual void K_KURVE_ERZEUGEN_LIMI() = 0;
    virtual void ATT_REL_ANRATEANPASSEN() = 0;
    virtual void D__DECKELZEIGEN() = 0;
};

// Applies a preset in the order of its steps: times, input stage and bands,
// (vocal) flags, threshold rounding, gates and limiter, then the rebuild.
void apply_preset(ParameterSet& p, PresetId id, const VocalFlags& flags, PresetHost& host);

}  // namespace sc
