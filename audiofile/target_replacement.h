// Giving a new result its name. An older file of that name is replaced in
// one step (rename over it) when it may be replaced; when it may not (no
// write permission, immutable, a folder, or the rename is refused) the
// alternative names with a letter A ... U are tried, and when none of them
// can be taken the program ends. An older result is never deleted first.
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

// True when a result may take name: nothing is there, or a file that may be
// replaced.
bool name_may_take_result(platform::FileSystem& fs, const std::string& name);

// The name a result may take, with the hints: name itself when it is free
// or may be replaced, else the first alternative that is. Nothing is
// deleted. Throws ProgramExit{1} after the give-up hint and a pause of
// 100 ms when no name can be taken.
std::string free_target_name(const std::string& name, const ReplacementTexts& texts, ProgramState& state,
                             View& view, platform::FileSystem& fs, platform::Clock& clock);

// Renames the finished file onto name, or onto the first alternative the
// rename succeeds for, with the same hints, and forces the folder entry
// onto the disk. 0 when done (state.target_path names the result), else the
// errno value of a rename that failed for a reason other than the name (the
// finished file then stays where it is). Throws ProgramExit{1} like
// free_target_name.
int put_result_in_place(const std::string& finished, const std::string& name, const ReplacementTexts& texts,
                        ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock);

}  // namespace sc
