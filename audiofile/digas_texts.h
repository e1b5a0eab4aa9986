// Texts of the DIGAS import.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::digas_texts {

inline constexpr TextPair READING{" Datensatz lesen.", " Reading directory."};
inline constexpr TextPair SORTING{" Sortierung. Bitte warten.", " Sorting. Please wait."};
inline constexpr std::string_view SORT_ABORTED = " Abbruch";
inline constexpr TextPair IMPORTING{" Titel und Laenge importieren.", " Importing TITLE and LENGTH."};
inline constexpr std::string_view LIST_TITLE = " DIGAS-Liste LOKAL, letzte 100 Tage, max 25 Takes.";
inline constexpr std::string_view CHOOSE = " WÄHLE EINEN EINTRAG ANHAND DES BUCHSTABENS:  ";

}  // namespace sc::digas_texts
