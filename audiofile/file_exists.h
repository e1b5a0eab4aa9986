// DATEI_VORHANDEN: the existence test used before every read, delete or play.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "settings/program_state.h"

namespace sc {

// Sets the "file exists" flag of the program state to 1 or 0 and returns it.
// Only an absolute path longer than 6 characters is looked for; its last
// component must be found under the same name. A relative path and a pattern
// with wildcards never count as an existing file.
int16_t DATEI_VORHANDEN(const std::string& path, ProgramState& state, platform::FileSystem& fs);

}  // namespace sc
