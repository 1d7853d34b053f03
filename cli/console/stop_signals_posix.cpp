#include <csignal>

#include "stop_signals.h"

namespace zemra::cli {
namespace {

// A signal handler can only reach what outlives every function: this is the one such flag.
std::atomic<int>& stopFlag() {
    static std::atomic<int> flag{0};
    return flag;
}

extern "C" void noteStopSignal(int number) {
    stopFlag().store(number);
}

// Catches `number` unless it was ignored when the program started: nohup ignores SIGHUP, and a
// shell ignores SIGINT and SIGQUIT for the jobs it starts in the background, so that the terminal
// going away or a Ctrl+C meant for the shell's foreground does not stop them.
void catchUnlessIgnored(int number, const struct sigaction& action) {
    struct sigaction current {};
    if (sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
        return;
    }
    sigaction(number, &action, nullptr);
}

}  // namespace

const std::atomic<int>& catchStopSignals() {
    static_assert(std::atomic<int>::is_always_lock_free);
    std::atomic<int>& flag = stopFlag();
    struct sigaction action {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read or write that the signal interrupts returns, and the run stops there.
    action.sa_flags = 0;
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        catchUnlessIgnored(number, action);
    }
    return flag;
}

}  // namespace zemra::cli
