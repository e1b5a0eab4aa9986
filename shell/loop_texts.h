// Texts of the main loop, the click handler and the selection screens.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::loop_texts {

// "O" with a name that looks like a result of this program.
inline constexpr TextPair ALREADY_PROCESSED{" Datei wurde vermutlich bereits bearbeitet.",
                                            " File has probably been processed already."};
inline constexpr TextPair REMOVE_COPY_TIP{
    "       Tipp: das <copy> im Dateinamen entfernen. Das geht auch im Öffnen-Fenster (F2).",
    "       Tipp: remove the <copy> in the filename. You can do that in the Open-Window (F2)."};

// The output format field without the encoder program.
inline constexpr TextPair ENCODER_MISSING{" LAME.EXE nicht gefunden.  MP3 erzeugen nicht möglich. WAV ist OK.",
                                          " LAME.EXE not found.  Creating MP3 not possible.  WAV is OK."};
inline constexpr std::string_view ENCODER_PATH_LEAD = "... ";

// A refused click on the limiter pair.
inline constexpr TextPair LIMITER_THRESHOLD_BLOCKED_1{"Interaktiv mit OUT-Regler.", "Interacting with OUT-control."};
inline constexpr TextPair LIMITER_THRESHOLD_BLOCKED_2{"Sperre gegen Overload.", "Blocked to prevent overload."};
inline constexpr TextPair LIMITER_OUTPUT_BLOCKED_1{"Interaktiv mit Threshold-Regler.",
                                                  "Interacting with threshold-value."};
inline constexpr TextPair LIMITER_OUTPUT_BLOCKED_2{"Sperre gegen Overload.", "Action blocked to prevent overload."};

// The two selection screens.
inline constexpr TextPair SELECT_VOCAL_1{" Wähle ein VOKAL-Setup.", " Select a VOCAL-SETUP."};
inline constexpr TextPair SELECT_VOCAL_2{" Die unteren vier Eigenschaften gelten NUR für diese SETUPS.",
                                         " The four attributes are valid ONLY for these SETUPS."};
inline constexpr TextPair SELECT_INSTRUMENT_1{" Wähle ein INSTRUMENT-Setup.", " Select an INSTRUMENT-SETUP."};
inline constexpr TextPair SELECT_INSTRUMENT_2{" Anschliessend nur noch mit dem GAIN-Regler (1) angleichen.",
                                              " Then adjust your record by using the GAIN-knob (1)."};

}  // namespace sc::loop_texts
