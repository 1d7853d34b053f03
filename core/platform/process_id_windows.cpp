#include "platform/process_id.h"

#include <windows.h>

#include <array>

namespace zemra::platform {

std::uint32_t currentProcessId() {
    return GetCurrentProcessId();
}

std::uint32_t machineTag() {
    std::array<wchar_t, MAX_COMPUTERNAME_LENGTH + 1> name{};
    DWORD size = static_cast<DWORD>(name.size());
    if (!GetComputerNameW(name.data(), &size)) {
        size = 0;
    }
    // FNV-1a over the name's UTF-16 units.
    std::uint32_t hash = 2166136261U;
    for (DWORD index = 0; index < size; ++index) {
        hash = (hash ^ static_cast<std::uint32_t>(name[index])) * 16777619U;
    }
    return hash;
}

// Windows gives no identity of a start that every process reads alike; the process itself is
// asked instead, and a process id of an earlier start that is in use again counts as alive.
std::uint32_t bootTag() {
    return 0;
}

bool processHasEnded(std::uint32_t id) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

}  // namespace zemra::platform
