// Words of the preset list and the settings list.
#pragma once

#include "settings/text.h"

namespace sc::cli::listing_texts {

inline constexpr TextPair OFF{"aus", "off"};
inline constexpr TextPair ON{"ein", "on"};
inline constexpr TextPair FAST{"schnell", "fast"};
inline constexpr TextPair SLOW{"langsam", "slow"};
inline constexpr TextPair FLAT{"linear", "flat"};
inline constexpr TextPair MUTE{"stumm", "mute"};
inline constexpr TextPair GROUP_PANEL{"Taste auf dem Bedienfeld", "button on the panel"};
inline constexpr TextPair GROUP_VOCAL{"Auswahl MEHR V", "selection MORE V"};
inline constexpr TextPair GROUP_INSTRUMENT{"Auswahl MEHR I", "selection MORE I"};
inline constexpr TextPair SUMMARY_GAIN{"Eingang", "input"};
inline constexpr TextPair SUMMARY_LEVELER{"Pegelausgleich", "leveler"};
inline constexpr TextPair SUMMARY_BANDS{"Bänder", "bands"};
inline constexpr TextPair SUMMARY_AT{"bei", "at"};
inline constexpr TextPair SUMMARY_GATES{"Gates", "gates"};
inline constexpr TextPair SUMMARY_LIMITER{"Limiter", "limiter"};
inline constexpr TextPair SETTINGS_HEAD{"Einstellungen ausgehend vom Preset ", "Settings starting from the preset "};
inline constexpr TextPair LEVELER_TIMES{"Anstieg/Rückgang", "attack/release"};
inline constexpr TextPair TARGET{"Ziel", "target"};

}  // namespace sc::cli::listing_texts
