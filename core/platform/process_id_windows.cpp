#include "platform/process_id.h"

#include <windows.h>

namespace zemra::platform {

std::uint32_t currentProcessId() {
    return GetCurrentProcessId();
}

}  // namespace zemra::platform
