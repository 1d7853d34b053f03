#pragma once

// The id of this process, and what tells this machine and this start of it from others, through
// the calls that each system has for them. One implementation per system, in
// process_id_windows.cpp and process_id_posix.cpp.

#include <cstdint>

namespace zemra::platform {

std::uint32_t currentProcessId();

// A number for this machine (its machine id and host name), the same in every process on it and
// most probably different on any other machine that shares a folder with it.
std::uint32_t machineTag();

// A number for this start of the machine, so that a process id of an earlier start is told from
// one of this start; 0 where the system gives no such thing.
std::uint32_t bootTag();

// Whether the process `id` of this machine and this start is known to have ended. Where that
// cannot be told (no permission to ask, say), it is taken to be alive.
bool processHasEnded(std::uint32_t id);

}  // namespace zemra::platform
