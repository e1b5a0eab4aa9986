// The fixed texts of the knob panel in both languages.
#pragma once

#include <array>

#include "settings/text.h"

namespace sc::ui::texts {

inline constexpr std::array<TextPair, 3> HEADER = {{
    {"Audiodateien geregelt verstärken.  Mit Leveler, Multiband-Kompressor, Limiter.",
     "Audiofiles: Controlled Amplifier. Using leveler, compressor and limiter."},
    {"WAV & MP3. Mono & Stereo. 44-48 kHz. Vorausschauend. Einzeldateien und Stapel.",
     "WAV (& MP3). STEREO & MONO.  44-48 kHz. Foresight. Single files and batch."},
    {"Multiband: Bass, Mitte, Höhen getrennt geregelt. Trennung bei 250 Hz / 5800 Hz",
     "Multiband: sound gets splitted at 250 Hz / 5800 Hz and processed separately."},
}};

inline constexpr TextPair FORESIGHTED{"vorausschauend", "foresighted"};
inline constexpr const char* IN_GAIN_TITLE = "IN GAIN ";
inline constexpr const char* COMPRESSOR_TITLE = "COMPRESSOR  Multiband  ";
inline constexpr const char* LIMITER_TITLE = "LIMITER ";
inline constexpr const char* LEVELER_TITLE = "LEVELER";
inline constexpr const char* SETUP_TITLE = "SETUP";
inline constexpr TextPair MORE_VOCAL{"MEHR V", "MORE V"};
inline constexpr TextPair MORE_INSTRUMENT{"MEHR I", "MORE I"};
inline constexpr const char* GAIN = "GAIN";
inline constexpr const char* REDUCTION = "REDUCTION";
inline constexpr const char* METER_SCALE = "18....86421";
inline constexpr TextPair FILE_LABEL{"Datei: ", "File: "};
// The band names, written downwards beside the three knob rows.
inline constexpr TextPair BAND_NAMES{"HÖHE    MITTE   BASS", "HIGH    MID     LOW "};
// The language button names the language it switches to.
inline constexpr TextPair LANGUAGE_BUTTON{"ENG", "DEU"};

inline constexpr const char* START = " START ";
inline constexpr const char* START_HINT = "_START_";
inline constexpr const char* STOP = " STOP  ";
inline constexpr const char* EXIT = "EXIT";
inline constexpr const char* INFO = "INFO";
inline constexpr const char* OPEN = "OPEN";
inline constexpr const char* BYPASS = "By";
inline constexpr const char* GATE = "Gate";
inline constexpr const char* AUTO = "AUTO";
inline constexpr std::array<const char*, 3> AUTO_MODES = {"OFF ", "FAST", "SLOW"};
inline constexpr const char* HPF = "HPF";
inline constexpr const char* HPF_OFF = "off";
inline constexpr const char* MUTE = "MUTE";
inline constexpr std::array<const char*, 4> PRESET_BUTTONS = {"VOC_soft", "VOC_hard", "MUS_soft", "MUS_hard"};

inline constexpr const char* ORIGINAL = "Original";
inline constexpr TextPair PROCESSED{"bearbeitet", "processed"};

}  // namespace sc::ui::texts
