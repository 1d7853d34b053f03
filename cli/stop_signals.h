#pragma once

#include <atomic>

namespace zemra::cli {

// Catches the requests to stop the program (SIGINT and SIGTERM; on Windows Ctrl+C and
// Ctrl+Break) from now on. The flag returned holds 0 until one comes, then its signal number, so
// that the run in progress can remove its temporary files and the program exit 128 + that number.
const std::atomic<int>& catchStopSignals();

}  // namespace zemra::cli
