#include <windows.h>

#include <csignal>

#include "stop_signals.h"

namespace zemra::cli {
namespace {

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
