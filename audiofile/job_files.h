// The files of one job as the job driver uses them: the buffer file at the
// start, its completion, the final name and the ready hint at the end.
//
// The buffer file is the job's own from its creation to its end: created
// only where no file (or link) of that name is, and locked while the job
// runs, so that two jobs on one target never share it and a buffer left by
// a dead run is told apart from one that is being written.
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
// removes a buffer file left by a dead run, creates the buffer file (new,
// locked) with the 44-byte header and sets error context 0. When a running
// job holds the buffer file, shows the busy hint and returns nullptr with
// the state's names as they were and nothing touched. Throws RunTimeError
// (with the cause) with error context still 1 when the file cannot be
// created or written.
std::unique_ptr<platform::File> create_buffer_file(const SourceFormat& fmt, int16_t outformat, ProgramState& state,
                                                   View& view, platform::FileSystem& fs, platform::Clock& clock);

// The buffer file of a running job. Unless it is kept (it has become the
// result), it is removed when the job leaves, by any way: still locked
// then, so that only this job's file can be hit.
class JobBuffer {
public:
    JobBuffer(platform::FileSystem& fs, std::string path, std::unique_ptr<platform::File> file)
        : fs_(fs), path_(std::move(path)), file_(std::move(file)) {}
    JobBuffer(const JobBuffer&) = delete;
    JobBuffer& operator=(const JobBuffer&) = delete;
    ~JobBuffer() { discard(); }

    platform::File& file() { return *file_; }
    // Removes the file and closes it.
    void discard();
    // Closes the file and leaves it where it is.
    void keep();

private:
    platform::FileSystem& fs_;
    std::string path_;
    std::unique_ptr<platform::File> file_;
};

// After the last chunk: an odd number of data bytes gets one zero byte.
bool pad_odd_data(platform::File& buffer, uint64_t written_data_bytes);

// The end of the data: the RIFF size patched and everything forced onto
// the disk. 0, or the errno value of the failure.
int complete_buffer(platform::File& buffer);

// WAV output: the finished buffer file takes the target name, replacing an
// older result in one step when it may be replaced, else an alternative
// A ... U (state.target_path then names it); ends the program when no name
// is free. 0, or the errno value of a failure (the buffer then stays).
int move_buffer_to_target(ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock);

// A job that could not write its result: the hint with the cause.
void report_write_failure(int error, ProgramState& state, View& view);

// The ready hint with the target path, unless a batch is running.
void show_ready_hint(ProgramState& state, View& view);

}  // namespace sc
