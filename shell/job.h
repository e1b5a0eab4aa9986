// The processing job: one source file into its ---copy result.
#pragma once

namespace sc {

class Application;

enum class JobOutcome {
    Completed,  // the result is written under its target name
    Rejected,   // the source failed the job-start check
    Aborted,    // STOP was clicked; the older result is untouched
    Busy,       // another running job writes the same target; nothing touched
    Failed,     // no result could be written (cause shown); the older result is untouched
};

// Runs the job on the loaded file (state.source_path, or the batch entry of
// state.batch_index): validation, buffer file, block loop, completion of the
// header, replacement of an older target, final name, ready hint. Throws
// RunTimeError for a buffer file that cannot be created. A signal or the
// window's close button during the job ends it as STOP does, and then the
// program (the orderly exit).
JobOutcome run_job(Application& app);

// The exit status after an ending signal: 128 + its number, 0 for none.
int exit_code_after(int signal);

}  // namespace sc
