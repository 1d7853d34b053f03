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

}  // namespace

const std::atomic<int>& catchStopSignals() {
    static_assert(std::atomic<int>::is_always_lock_free);
    std::atomic<int>& flag = stopFlag();
    struct sigaction action {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read or write that the signal interrupts returns, and the run stops there.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    return flag;
}

}  // namespace zemra::cli
