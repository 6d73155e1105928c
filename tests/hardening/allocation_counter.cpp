// Counting replacements for the C allocator, passed through to glibc's own.
// operator new of the C++ library allocates through malloc, so it is counted
// as well; it is replaced here too so that the count does not depend on that.
#include "allocation_counter.h"

#include <cerrno>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

thread_local bool counting = false;
thread_local std::size_t allocations = 0;

void note()
{
    if (counting)
        ++allocations;
}

} // namespace

AllocationCounter::AllocationCounter()
{
    allocations = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter()
{
    counting = false;
}

std::size_t AllocationCounter::count() const
{
    return allocations;
}

extern "C" {

void* malloc(std::size_t size)
{
    note();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    note();
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size)
{
    note();
    return __libc_realloc(pointer, size);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size)
{
    note();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr)
        return ENOMEM;
    *result = pointer;
    return 0;
}

void free(void* pointer)
{
    __libc_free(pointer);
}

} // extern "C"

void* operator new(std::size_t size)
{
    note();
    if (void* pointer = __libc_malloc(size == 0 ? 1 : size))
        return pointer;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* pointer) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void* pointer) noexcept
{
    __libc_free(pointer);
}

void operator delete(void* pointer, std::size_t) noexcept
{
    __libc_free(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept
{
    __libc_free(pointer);
}
