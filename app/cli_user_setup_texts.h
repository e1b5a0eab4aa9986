// Messages of the command line about the user setups.
#pragma once

#include "settings/text.h"

namespace sc::cli::user_setup_texts {

inline constexpr TextPair NEEDS_VALUE{"--user-setup braucht eine Platznummer von 1 bis 20 oder einen Namen",
                                      "--user-setup needs a slot number from 1 to 20 or a name"};
inline constexpr TextPair EMPTY_SLOT{"auf Platz %d ist kein User-Setup gespeichert",
                                     "user setup slot %d holds no saved setup"};
inline constexpr TextPair UNKNOWN_NAME{"kein gespeichertes User-Setup heißt \"%s\"", "no saved user setup is named \"%s\""};
inline constexpr TextPair UNREADABLE{"die User-Setup-Datei %s kann nicht gelesen werden",
                                     "the user setups file %s cannot be read"};
inline constexpr TextPair LIST_HEAD{"Gespeicherte User-Setups in %s:", "Saved user setups in %s:"};
inline constexpr TextPair LIST_NONE{"Keine User-Setups gespeichert in %s", "No user setups saved in %s"};
inline constexpr TextPair SEE_LIST{"(--list-user-setups zeigt sie)", "(--list-user-setups shows them)"};

}  // namespace sc::cli::user_setup_texts
