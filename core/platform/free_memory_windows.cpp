#include "platform/free_memory.h"

#include <malloc.h>

namespace zemra::platform {

void returnFreeMemory() {
    _heapmin();
}

}  // namespace zemra::platform
