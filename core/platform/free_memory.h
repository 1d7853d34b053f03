#pragma once

// Handing the memory that a program freed back to the system, through the call that each system's
// allocator has for it. One implementation per system, in free_memory_windows.cpp and
// free_memory_posix.cpp.

namespace zemra::platform {

// Returns the free memory of the allocator's heaps to the system. A phase that freed large
// blocks among others still held calls it, so that the next phase does not start on top of them:
// the allocator itself gives back only what lies at the top of a heap.
void returnFreeMemory();

}  // namespace zemra::platform
