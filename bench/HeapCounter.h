#pragma once

#include <cstddef>

// Bytes of heap in use, counted by the program's own malloc family (which wraps glibc's), so
// that libraries' allocations count too.
std::size_t HeapInUse();
// The most in use since the last ResetHeapPeak.
std::size_t HeapPeak();
void ResetHeapPeak();
