// Leaving a procedure for good: the orderly exit, the window's close button,
// and a run-time error that the start-up handler reports.
#pragma once

#include <string>

namespace sc {

// Thrown by the orderly exit after its clean-up; main returns the code.
struct ProgramExit {
    int code = 0;
};

// Thrown by a view when it reads the window's close button while it waits
// for a key; the application answers with the orderly exit.
struct WindowClosed {};

// A run-time error (a file that cannot be created, written or renamed). The
// application's error handler reports it by the error context and restarts.
struct RunTimeError {
    std::string what;
    std::string cause = {};  // the system's words for the failure, when there are any
};

}  // namespace sc
