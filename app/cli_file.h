// One file of a command-line run, from the checks of the command line to
// the job's end, and what it came to.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audiofile/loudness.h"

#include "app/cli_options.h"
#include "app/cli_progress.h"

namespace sc {
class Application;
}

namespace sc::cli {

enum class FileStatus {
    Processed,     // the result is written
    Skipped,       // --no-clobber kept an existing result
    NotProcessed,  // the source was refused; nothing was written
    Failed,        // the job began but could not finish
};

struct FileResult {
    std::string source;   // absolute path
    std::string target;   // the result written, or kept when skipped
    std::string kept;     // an older result that could not be replaced
    FileStatus status = FileStatus::Failed;
    std::string reason;   // why it was not processed or failed
    std::vector<std::string> notes;  // whole sentences worth knowing
    double seconds = 0.0;        // of the job
    double audio_seconds = 0.0;  // of the source's audio processed
    // --report: measured after the job
    std::optional<Loudness> source_loudness;
    std::optional<Loudness> result_loudness;
};

// Start-up of a fresh application as the options want it: language, preset
// and the settings options on top.
bool configure(Application& app, const Options& o);

// Processes the file at the absolute path on an application of its own.
// `same_as` names an earlier file of the command with the same result.
FileResult process_file(const Options& o, const std::string& path, const std::string& same_as, Console& console);

// Why the path cannot be read as a source, from the system (no such file,
// no permission, a loop of links, a folder, a pipe or device); empty when it
// is a regular file that can be opened for reading. Never blocks.
std::string access_problem(const std::string& path, int16_t language);

}  // namespace sc::cli
