// DATEI_VORHANDEN: the existence test used before every read, delete or play.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "settings/program_state.h"

namespace sc {

// Sets the "file exists" flag of the program state to 1 or 0 and returns it.
// Only an absolute path with a file name behind its last "/" is looked for,
// the name taken literally ("*" and "?" are ordinary characters). A folder
// does not count as a file; anything else under the name does (a link that
// leads nowhere, a pipe), so that it can be removed or refused by its kind.
int16_t DATEI_VORHANDEN(const std::string& path, ProgramState& state, platform::FileSystem& fs);

}  // namespace sc
