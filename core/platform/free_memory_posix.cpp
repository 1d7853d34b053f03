#include "platform/free_memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zemra::platform {

void returnFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace zemra::platform
