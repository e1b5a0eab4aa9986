// The processing job: one source file into its ---copy result.
#pragma once

namespace sc {

class Application;

enum class JobOutcome {
    Completed,  // the result is written under its target name
    Rejected,   // the source failed the job-start check
    Aborted,    // STOP was clicked; the older result is untouched
    Failed,     // the data was processed, but no MP3 result could be made
};

// Runs the job on the loaded file (state.source_path, or the batch entry of
// state.batch_index): validation, buffer file, block loop, completion of the
// header, replacement of an older target, final name, ready hint. Throws
// RunTimeError for a file that cannot be created, written or renamed.
JobOutcome run_job(Application& app);

}  // namespace sc
