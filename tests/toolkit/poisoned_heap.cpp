// Freed memory is filled with a pattern before it goes back to the heap, so
// a use of a freed object under Wine reads garbage and fails at once instead
// of working by chance (the native build has AddressSanitizer for this).
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

// The static library's array forms end up here.
void operator delete(void* block) noexcept {
    if (!block)
        return;
    std::memset(block, 0xDD, _msize(block));
    // Without this the compiler drops the fill as a store that nobody reads.
    asm volatile("" : : "r"(block) : "memory");
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    ::operator delete(block);
}
