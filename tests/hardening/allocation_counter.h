// Counts heap allocations made by this thread while a counter is alive. The
// test executable that links allocation_counter.cpp replaces malloc and its
// relatives (through which operator new allocates too) with counting ones.
#pragma once

#include <cstddef>

class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    // Allocations (malloc, calloc, realloc, aligned and operator new) so far.
    std::size_t count() const;
};
