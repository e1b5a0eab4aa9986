// Texts of the envelope loaders.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::envelope_texts {

// The playing time of a loaded file could not be measured.
inline constexpr TextPair NO_PLAYING_TIME_1{" Spieldauer via Windows nicht ermittelbar.",
                                            " Playing time can't be detected by windows-command."};
inline constexpr TextPair NO_PLAYING_TIME_2{" Normal weiter arbeiten. Hüllkurve ungültig.",
                                            " Go on working .  Envelope invalid."};

// While the source envelope is read, and its blinking afterword.
inline constexpr TextPair READING_1{" Bitte warten...    Grafik wird ermittelt  ....",
                                    " Please, wait...    Collecting grafic data ...."};
inline constexpr TextPair READING_2{"                         Datei jetzt nicht in andren Programmen benutzen.",
                                    "                            Don't open this file now  in other applications."};
inline constexpr TextPair AFTER_2{"                         Datei jetzt nicht in andren Programmen benutzen.",
                                  "                            Don't open it now  in other applications."};

// The result envelope.
inline constexpr TextPair READING_RESULT{" Bitte warten. Grafik der Zieldatei wird eingelesen.",
                                         " Please, wait. Creating grafic of destination-file."};
inline constexpr std::string_view RESULT_NO_FMT = "Ausgabedatei: FMT-Eintrag wurde nicht gefunden.";
inline constexpr std::string_view RESULT_NOT_PCM = "Ausgabedatei: Audioformat ist nicht PCM.";
inline constexpr std::string_view RESULT_NO_DATA = "Ausgabedatei: Audiodaten nicht gefunden.";

// The labels of the two strips.
inline constexpr std::string_view ORIGINAL = "Original";
inline constexpr TextPair PROCESSED{"bearbeitet", "processed"};

}  // namespace sc::envelope_texts
