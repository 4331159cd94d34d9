// While one of these lives, every block the program makes gets pages of its
// own that become inaccessible when it is freed, so a use after the free
// faults at once. For the few objects of a test, not for a whole run.
#pragma once

struct ScopedGuardedHeap {
    ScopedGuardedHeap();
    ~ScopedGuardedHeap();
    ScopedGuardedHeap(const ScopedGuardedHeap&) = delete;
    ScopedGuardedHeap& operator=(const ScopedGuardedHeap&) = delete;
};
