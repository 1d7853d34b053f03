#include "platform/process_id.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

namespace zemra::platform {
namespace {

// FNV-1a: a short, stable number for a text.
std::uint32_t tagOf(const std::string& text) {
    std::uint32_t hash = 2166136261U;
    for (const char byte : text) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619U;
    }
    return hash;
}

std::string contentOf(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

std::uint32_t currentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

std::uint32_t machineTag() {
    std::array<char, 256> host{};
    ::gethostname(host.data(), host.size() - 1);
    std::string identity = contentOf("/etc/machine-id");
    if (identity.empty()) {
        identity = contentOf("/var/lib/dbus/machine-id");
    }
    return tagOf(identity + '\n' + host.data());
}

std::uint32_t bootTag() {
    const std::string boot = contentOf("/proc/sys/kernel/random/boot_id");
    return boot.empty() ? 0 : tagOf(boot);
}

bool processHasEnded(std::uint32_t id) {
    const auto process = static_cast<pid_t>(id);
    if (process <= 0 || static_cast<std::uint32_t>(process) != id) {
        return false;
    }
    return ::kill(process, 0) != 0 && errno == ESRCH;
}

}  // namespace zemra::platform
