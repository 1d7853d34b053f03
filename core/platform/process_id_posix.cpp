#include "platform/process_id.h"

#include <unistd.h>

namespace zemra::platform {

std::uint32_t currentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

}  // namespace zemra::platform
