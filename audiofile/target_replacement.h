// Freeing the name of a new result: an older file of that name is deleted;
// when it cannot be deleted the alternative names with a letter A ... U are
// tried, and when none of them can be freed the program ends.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "settings/text.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

// What differs between the WAV target and the MP3 target.
struct ReplacementTexts {
    TextPair not_deleted;         // line 1 when the old version stays
    std::string_view name_prefix; // line 2 of the alternative-name hint
    int16_t give_up_kind;         // hint kind of the give-up message
};

extern const ReplacementTexts WAV_TARGET_TEXTS;
extern const ReplacementTexts MP3_TARGET_TEXTS;

inline constexpr int ALTERNATIVE_LETTERS = 21;  // A ... U

// Returns the name the result may take: name itself when no file of that
// name is left, else the first alternative that is free. Throws
// ProgramExit{1} after the give-up hint and a pause of 100 ms when no
// alternative can be freed.
std::string free_target_name(const std::string& name, const ReplacementTexts& texts, ProgramState& state,
                             View& view, platform::FileSystem& fs, platform::Clock& clock);

}  // namespace sc
