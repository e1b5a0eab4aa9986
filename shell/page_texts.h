// Texts of the memory page and of the two equalizer pages.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::page_texts {

inline constexpr std::string_view MEMORY_FREE = " MByte RAM free";
inline constexpr std::string_view MEMORY_UNKNOWN = "       ?";

// The measurement page ("X"); it speaks German only.
inline constexpr std::string_view MEASURE_WAIT =
    "   Warten ...  Filterwert Güte (Q) 12-Band-EQ wird ermittelt.";
inline constexpr std::string_view MEASURE_SIGNALS = "           Dazu werden kurze Messsignale gefiltert.";
inline constexpr std::string_view MEASURE_VALUES_FOR = " Grob ermittelte Werte für ";
inline constexpr std::string_view MEASURE_BOOST = " dB Anhebung (fo, fu = 3dB unter Spitze):";
inline constexpr std::string_view MEASURE_HEADER = " Filternr ";
struct Column {
    int column;
    std::string_view title;
};
inline constexpr Column MEASURE_COLUMNS[] = {{12, "   fu (dB)"}, {28, "   fo (dB)"}, {44, "Breite"},
                                             {54, "Mitte"},        {64, "Q"},          {74, "Spitze dB"}};
inline constexpr std::string_view MEASURE_LOW_Q = "Die Filternr 1 und 2 haben kleine Güte für kürzere Rechenzeiten.";
inline constexpr std::string_view MEASURE_DONE = "Fertig ... beliebige Taste drücken.";
// A -3 dB point that lies outside the measured range.
inline constexpr std::string_view MEASURE_NONE = "-";

// The diagram pages (F2).
inline constexpr TextPair EQ_DEPTH{"EQUALIZER und HPF. Aktuelle Filtertiefe: +-",
                                   "EQUALIZER and HPF. Current filter depth: +-"};
inline constexpr TextPair EQ_AT_RATE{" Samples bei Samplerate", "samples at samplerate"};
inline constexpr TextPair MULTIBAND_DEPTH{"MULTIBAND COMPRESSOR. Feste Filtertiefe: +- 80 samples (44 & 48 kHz).",
                                          "MULTIBAND COMPRESSOR. Filter depth: +- 80 samples (44 & 48 kHz)."};
inline constexpr std::string_view DIAGRAM_METHOD =
    "Diagram is calculated by short wav-pieces, which are sent through filter.";
inline constexpr TextPair GO_ON{" WEITER  (beliebige Taste)  ", " GO ON (Any Key)  "};
inline constexpr std::string_view TO_MULTIBAND = "to multiband-diagram";
inline constexpr std::string_view BACK_TO_PROGRAM = "back to program.";
inline constexpr std::string_view CURVE_LOW = "LOW";
inline constexpr std::string_view CURVE_MID = "MID";
inline constexpr std::string_view CURVE_HIGH = "HIGH";

}  // namespace sc::page_texts
