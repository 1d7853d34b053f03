#include "platform/local_time.h"

namespace zemra::platform {

std::tm localTimeOf(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

}  // namespace zemra::platform
