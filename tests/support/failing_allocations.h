#pragma once
// Out of memory on demand, for the tests of the program's in-process code:
// this file replaces operator new of the test program.
#include <cstddef>

// Every allocation of this many bytes or more fails until reset (SIZE_MAX: none).
void FailAllocationsOfAtLeast(std::size_t bytes);
// The allocation that many allocations from now fails, once; -1 for none.
void FailAllocationAfter(long allocations);
// Whether that one failure is still to come.
bool AllocationFailureArmed();
