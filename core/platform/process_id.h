#pragma once

// The id of this process, through the call that each system has for it. One implementation per
// system, in process_id_windows.cpp and process_id_posix.cpp.

#include <cstdint>

namespace zemra::platform {

std::uint32_t currentProcessId();

}  // namespace zemra::platform
