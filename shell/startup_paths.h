// The folders and work-file names the program derives at start-up.
#pragma once

#include <string>

#include "platform/process.h"
#include "settings/program_state.h"

namespace sc {

// Program path up to and including its last "/"; empty when there is none.
std::string program_folder_of(const std::string& program_path);

// The root of absolute paths, which is also the first last-used folder.
std::string drive_root_of(const std::string& program_path);

// TEMP, else TMPDIR, else /tmp, always ending in "/".
std::string temporary_folder_from(platform::Environment& env);

// Fills program path, folders, encoder, MP3 buffer, rehearsal file, media
// player and DIGAS folder of the state.
void set_startup_paths(ProgramState& state, platform::Environment& env, platform::Processes& processes);

// Puts the MP3 buffer WAV (also of later decodings) and the rehearsal file
// into folder (nothing for an empty one).
void use_work_folder(ProgramState& state, const std::string& folder);

}  // namespace sc
