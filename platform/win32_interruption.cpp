// Ctrl+C, Ctrl+Break and the closing of the console window ask the program
// to end; they are recorded under the numbers of the matching signals
// (SIGINT, SIGTERM for Ctrl+Break and logoff/shutdown, SIGHUP's 1 for the
// closed console). The handler runs on a thread of its own: it records the
// request and returns at once for Ctrl+C and Ctrl+Break. Windows ends the
// process as soon as the handler of a closed console returns, so that
// handler gives the work in progress a few seconds to stop in order. A
// second request while the first is served ends the program at once.
#include <windows.h>

#include <atomic>
#include <csignal>

#include "platform/interruption.h"
#include "platform/win32_text.h"

namespace sc::platform {

namespace {

std::atomic<int> caught{0};

int signal_of(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT: return SIGINT;
        case CTRL_CLOSE_EVENT: return HANGUP_SIGNAL;
        default: return SIGTERM;
    }
}

BOOL WINAPI on_console_event(DWORD event) { return console_event_received(event) ? TRUE : FALSE; }

}  // namespace

bool console_event_received(unsigned long event) {
    const int signal = signal_of(event);
    int none = 0;
    if (!caught.compare_exchange_strong(none, signal)) ::ExitProcess(128 + signal);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return true;
    ::Sleep(4000);
    return true;
}

void catch_ending_signals() { ::SetConsoleCtrlHandler(on_console_event, TRUE); }

int ending_signal() { return caught.load(); }

void record_ending_signal(int signal) {
    int none = 0;
    caught.compare_exchange_strong(none, signal);
}

void clear_ending_signal() { caught.store(0); }

}  // namespace sc::platform
