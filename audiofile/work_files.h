// Removing the program's work files: the job's ".buf" file, the rehearsal
// file and the MP3 buffer WAV. Each is deleted when it exists, the program
// waits and looks again; a file that is still there is reported.
#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

// Deletes path when it is not empty and exists, waits wait_ms and looks
// again. True when the file is gone (or was never there).
bool delete_and_look_again(const std::string& path, int wait_ms, ProgramState& state, platform::FileSystem& fs,
                           platform::Clock& clock);

// The buffer file (state.buffer_path), unless a running job holds its lock:
// Locked then, and the file stays. Removed, Missing, or Failed after the
// two hints of a file that is still there.
platform::RemoveResult DATEI_PROCESSOR_OUT_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs,
                                                    platform::Clock& clock);
// The rehearsal file (state.rehearsal_file).
void KOPIE2_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock);
// The MP3 buffer WAV (state.mp3_buffer_wav).
void LAME_PUFFER_WAV_LOESCHEN(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock);

}  // namespace sc
