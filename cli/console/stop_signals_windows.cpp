#include <windows.h>

#include <csignal>

#include "stop_signals.h"

namespace zemra::cli {
namespace {

// When the console window closes, the user logs off or the system shuts down, the system ends the
// process once the handler returns, or five seconds after the request at the latest. The handler
// keeps it alive for the run to remove its temporaries meanwhile; the program's own end, once
// they are gone, ends the handler with it.
constexpr DWORD kCleanUpTime = 4000;

// The console's handler runs on a thread of its own and can only reach what outlives every
// function: this is the one such flag.
std::atomic<int>& stopFlag() {
    static std::atomic<int> flag{0};
    return flag;
}

BOOL WINAPI noteStopRequest(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            stopFlag().store(SIGINT);
            return TRUE;
        case CTRL_BREAK_EVENT:
            stopFlag().store(SIGTERM);
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            stopFlag().store(SIGINT);
            Sleep(kCleanUpTime);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

const std::atomic<int>& catchStopSignals() {
    SetConsoleCtrlHandler(noteStopRequest, TRUE);
    return stopFlag();
}

}  // namespace zemra::cli
