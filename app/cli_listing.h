// What --list-presets and --show-settings print.
#pragma once

#include <cstdint>
#include <string>

#include "settings/parameter_set.h"
#include "settings/presets.h"

namespace sc::cli {

// Every factory preset: its name and procedure, where it sits (panel or a
// selection screen), its labels in both languages and what it sets.
std::string presets_listing(int16_t language);

// Every setting of the parameter set, one line each, under the name of the
// preset they started from.
std::string settings_listing(const ParameterSet& p, const std::string& preset_name, int16_t language);

}  // namespace sc::cli
