// The two checks of a source file on top of the chunk walk.
//
// The load-time check runs when a file is chosen (inside the envelope
// loader): a rejection clears the loaded file and shows its reason as a
// blinking hint. The job-start check runs when the job begins: it adds the
// size checks, and a rejection shows the full text screen of KEINEDATEI.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "audiofile/source_format.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

// Largest accepted data size in bytes.
inline constexpr uint32_t DATA_SIZE_LIMIT = 1999888000;
// Smallest source file accepted at job start.
inline constexpr uint64_t JOB_MIN_FILE_LENGTH = 45000;
inline constexpr int32_t SAMPLE_RATE_MIN = 44000;
inline constexpr int32_t SAMPLE_RATE_MAX = 48300;

enum class LoadReason {
    Unknown, NotRiffWave, NoFmt, NotPcm, NotMonoStereo, Bits, SampleRate, NoData, TooBig,
    NotAFile  // a folder, a pipe or a device under the name
};

// Job-start validation codes (source validation code of the program state).
enum JobReason : int16_t {
    JOB_ACCEPTED = 0,
    JOB_NOT_MONO_STEREO = 1,
    JOB_NOT_RIFF_WAVE = 2,
    JOB_NO_DATA = 3,
    JOB_NOT_16BIT = 4,
    JOB_NO_FMT = 5,
    JOB_TOO_SMALL = 6,
    JOB_TOO_BIG = 7,
    JOB_SAMPLE_RATE = 8,
    JOB_NOT_FOUND = 9,
    JOB_NOT_A_FILE = 10,  // a folder, a pipe or a device under the name
};

// The load-time check of an open file. Fills fmt step by step (including
// the 24-bit mono flag), shows the extended-format hint and the MUSIFILE
// hint on the way. Nothing when the file is accepted, else the reason.
std::optional<LoadReason> load_time_check(platform::File& file, SourceFormat& fmt, ProgramState& state, View& view,
                                          platform::Clock& clock);

// The load-time rejection: clears the loaded file, ends a running batch,
// shows the reason as blinking hint 2 and deletes the MP3 buffer WAV.
void reject_loaded_file(LoadReason reason, ProgramState& state, View& view, platform::FileSystem& fs,
                        platform::Clock& clock);

// Opens path and runs the load-time check; on rejection (or when the file
// cannot be opened) runs reject_loaded_file and returns nullptr. On success
// the open file is returned for the envelope to read. Nothing happens for
// an empty path (nullptr, no rejection).
std::unique_ptr<platform::File> load_source(const std::string& path, SourceFormat& fmt, ProgramState& state,
                                            View& view, platform::FileSystem& fs, platform::Clock& clock);

// The job-start check of a freshly opened file: fills fmt except the 24-bit
// mono flag, calls DATEIFORMAT_NICHTPCM for a non-PCM file and MUSIFILE for
// a MUSIFILE file. Returns JOB_ACCEPTED or the reason 1 ... 8; on success
// fmt.chunk_position is the first sample byte.
int16_t job_start_check(platform::File& file, SourceFormat& fmt, ProgramState& state, View& view);

// Job steps 9 and 10 on the reading path: the existence test, the open and
// the job-start check. A rejection sets the validation code and runs
// KEINEDATEI; nullptr then. On success the open source is returned.
std::unique_ptr<platform::File> open_source_for_job(SourceFormat& fmt, ProgramState& state, View& view,
                                                    platform::FileSystem& fs, platform::Clock& clock);

// The MUSIFILE hint in the info lines, then a sleep of up to 25 s that a key
// ends early.
void MUSIFILE(const ProgramState& state, View& view);

// The non-PCM warning screen; waits for a key, then the job goes on.
void DATEIFORMAT_NICHTPCM(View& view);

// The job-start rejection screen for state.source_validation_code, then the
// clean-up: MP3 buffer WAV deleted, loaded file, batch and markers cleared,
// panel redrawn.
void KEINEDATEI(ProgramState& state, const SourceFormat& fmt, View& view, platform::FileSystem& fs,
                platform::Clock& clock);

// The load-time reason text and the job-start reason line.
std::string load_reason_text(LoadReason reason, int16_t language);
std::string job_reason_line(int16_t code, int16_t musifile_flag);

// The file line of the panel for a loaded path: "Datei: " / "File: " and the
// name (cut to its first 10 + "..." + last 64 characters from 78 on, with
// the batch position "  (Nr i/n)" in a batch of two or more), padded to 77.
std::string display_name_line(const std::string& path, const ProgramState& state);

}  // namespace sc
