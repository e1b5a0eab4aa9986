// The files of one job as the job driver uses them: the buffer file at the
// start, its completion, the replacement of an older target, the final
// name and the ready hint at the end.
#pragma once

#include <cstdint>
#include <memory>

#include "audiofile/source_format.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

// Sets error context 1, forms the target and buffer names for outformat,
// removes a buffer file left from an earlier run, creates the buffer file
// (truncating) with the 44-byte header and sets error context 0. Throws
// RunTimeError with error context still 1 when the file cannot be created or
// written.
std::unique_ptr<platform::File> create_buffer_file(const SourceFormat& fmt, int16_t outformat, ProgramState& state,
                                                   View& view, platform::FileSystem& fs, platform::Clock& clock);

// After the last chunk: an odd number of data bytes gets one zero byte.
// Throws RunTimeError when it cannot be written.
void pad_odd_data(platform::File& buffer, uint64_t written_data_bytes, const std::string& path);

// Frees the target name (old version deleted, or an alternative A ... U
// taken into state.target_path); ends the program when no name is free.
void replace_old_target(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock);

// WAV output: the buffer file takes the target name. Throws RunTimeError.
void move_buffer_to_target(ProgramState& state, platform::FileSystem& fs);

// The ready hint with the target path, unless a batch is running.
void show_ready_hint(ProgramState& state, View& view);

}  // namespace sc
