#include "support/failing_allocations.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::size_t failingSize = SIZE_MAX;
long allocationsUntilFailure = -1;

}  // namespace

void FailAllocationsOfAtLeast(std::size_t bytes) { failingSize = bytes; }

void FailAllocationAfter(long allocations) { allocationsUntilFailure = allocations; }

bool AllocationFailureArmed() { return allocationsUntilFailure >= 0; }

void* operator new(std::size_t size) {
    if (size >= failingSize) throw std::bad_alloc();
    if (allocationsUntilFailure == 0) {
        allocationsUntilFailure = -1;
        throw std::bad_alloc();
    }
    if (allocationsUntilFailure > 0) --allocationsUntilFailure;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
