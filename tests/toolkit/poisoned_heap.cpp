// Freed memory is filled with a pattern before it goes back to the heap, so
// a use of a freed object under Wine reads garbage instead of working by
// chance (the native build has AddressSanitizer for this). Garbage may still
// read as harmless, so a test can also have the blocks made meanwhile guarded
// (poisoned_heap.h): each gets pages of its own, which are never reused and
// become inaccessible when freed: any later use faults at once.
#include "poisoned_heap.h"

#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

int guardDepth = 0;

// The guarded blocks, so that a free recognises them; a fixed table, as
// the heap cannot use the heap.
constexpr int guardedCapacity = 4096;
void* guarded[guardedCapacity];
int guardedCount = 0;

bool isGuarded(void* block) {
    for (int i = 0; i < guardedCount; ++i)
        if (guarded[i] == block)
            return true;
    return false;
}

// The block ends where its pages end: a read past it faults too.
void* guardedBlock(std::size_t size) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const std::size_t page = system.dwPageSize;
    const std::size_t rounded = (size + 15) / 16 * 16;
    const std::size_t pages = (rounded + page - 1) / page;
    auto* base = static_cast<char*>(
        VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!base || guardedCount == guardedCapacity)
        return nullptr;
    void* block = base + pages * page - rounded;
    guarded[guardedCount++] = block;
    return block;
}

void releaseGuarded(void* block) {
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(block, &region, sizeof region);
    std::memset(block, 0xDD, static_cast<char*>(region.BaseAddress) + region.RegionSize -
                                  static_cast<char*>(block));
    DWORD old = 0;
    VirtualProtect(region.BaseAddress, region.RegionSize, PAGE_NOACCESS, &old);
}

// A fault ends the test program with a line, instead of a debugger that
// waits for someone to answer it.
LONG WINAPI reportFault(EXCEPTION_POINTERS* fault) {
    const EXCEPTION_RECORD& record = *fault->ExceptionRecord;
    const bool access = record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION;
    std::fprintf(stderr, "fault %08lx%s at %p\n", record.ExceptionCode,
                 access ? " (a use of freed or foreign memory)" : "",
                 access ? reinterpret_cast<void*>(record.ExceptionInformation[1]) : nullptr);
    std::fflush(stderr);
    ExitProcess(3);
}

const auto installedFilter = SetUnhandledExceptionFilter(reportFault);

} // namespace

ScopedGuardedHeap::ScopedGuardedHeap() {
    ++guardDepth;
}

ScopedGuardedHeap::~ScopedGuardedHeap() {
    --guardDepth;
}

void* operator new(std::size_t size) {
    void* block = guardDepth > 0 ? guardedBlock(size) : std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

// The static library's array forms end up here.
void operator delete(void* block) noexcept {
    if (!block)
        return;
    if (isGuarded(block)) {
        releaseGuarded(block);
        return;
    }
    std::memset(block, 0xDD, _msize(block));
    // Without this the compiler drops the fill as a store that nobody reads.
    asm volatile("" : : "r"(block) : "memory");
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    ::operator delete(block);
}
