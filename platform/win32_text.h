// UTF-8 inside the program, UTF-16 at the Windows calls.
#pragma once

#include <string>

namespace sc::platform {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
std::string narrow(const wchar_t* wide);

// The errno value for a Windows error code (GetLastError), EIO for the rest.
int errno_of(unsigned long windows_error);

// One argument of a command line, quoted so that the C runtime's splitting
// (CommandLineToArgvW) gives it back unchanged.
std::wstring quoted_argument(const std::wstring& arg);

// What the console handler does for one event (Windows calls it on a thread
// of its own): records the matching signal; true when the program goes on.
bool console_event_received(unsigned long event);

}  // namespace sc::platform
