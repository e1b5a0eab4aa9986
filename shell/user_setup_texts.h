// Texts of the user setups: the name prompt and the save messages.
#pragma once

#include "settings/text.h"

namespace sc::user_setup_texts {

// The prompt: head + slot number + tail, at text row 46, column 6.
inline constexpr TextPair PROMPT_HEAD{"Tippe Name von User Setup Nr", "Enter Name of User Setup Nr"};
inline constexpr TextPair PROMPT_TAIL{".  Nur 30 Zeichen.            [Esc] Beenden ohne speichern ",
                                      ". Only 30 charakters.           [Esc] Exit without save "};
// At text row 48, column 66.
inline constexpr TextPair ENTER_HINT{"[ENTER] Einstellung speichern.", " [ENTER] save current setting."};

inline constexpr std::string_view NONAME = "Noname";

inline constexpr TextPair OPEN_FOR_OUTPUT{"Öffne Datei SONOCLAMPER-SETUP-308 zum Speichern",
                                          "Open SONOCLAMPER-SETUP-308 for output"};
inline constexpr TextPair SAVED{" Setup ist gespeichert", " Setup is saved now"};
// Head + folder of the file + " ?", and the second line.
inline constexpr TextPair WRITE_PROTECTION{"Schreibschutz von ", "Write-protection of "};
inline constexpr std::string_view WRITE_PROTECTION_END = " ?";
inline constexpr TextPair SAVING_IMPOSSIBLE{" Speichern nicht möglich!", " Saving isn't possible."};

}  // namespace sc::user_setup_texts
