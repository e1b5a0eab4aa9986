// The signals that ask the program to end (SIGINT, SIGTERM, SIGHUP). They
// are caught and only recorded; a running job polls the record once per
// block and ends as if STOP had been clicked, and the program then ends with
// 128 + the signal number. A second signal while the first is still being
// served ends the program at once, the usual way.
#pragma once

namespace sc::platform {

// The number recorded for a hangup (SIGHUP; on Windows the closed console).
inline constexpr int HANGUP_SIGNAL = 1;

// Installs the handlers; call once, early (before any library installs its
// own). Safe to call again.
void catch_ending_signals();

// The signal caught, 0 when none has arrived.
int ending_signal();

// Records a signal as the handler does (tests, and the window's close
// button where it must end the work in progress the same way).
void record_ending_signal(int signal);

// Forgets a recorded signal (tests).
void clear_ending_signal();

}  // namespace sc::platform
