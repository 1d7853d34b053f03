#pragma once

#include <atomic>

namespace zemra::cli {

// Catches the requests to stop the program from now on: SIGINT, SIGTERM and SIGHUP (the terminal
// went away); on Windows Ctrl+C, Ctrl+Break, the closing of the console window, logoff and
// shutdown. A signal that was ignored when the program started (nohup, a shell's background job)
// stays ignored. The flag returned holds 0 until one comes, then its signal number, so that the
// run in progress can remove its temporary files and the program exit 128 + that number.
const std::atomic<int>& catchStopSignals();

}  // namespace zemra::cli
