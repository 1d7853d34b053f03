#pragma once

// The local time, through the call that each system has for it. One implementation per system,
// in local_time_windows.cpp and local_time_posix.cpp.

#include <ctime>

namespace zemra::platform {

// The local time of `time` in the machine's time zone.
std::tm localTimeOf(std::time_t time);

}  // namespace zemra::platform
