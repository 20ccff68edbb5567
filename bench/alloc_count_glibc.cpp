// Allocation counter for glibc builds: the allocation functions are defined in the executable,
// which the dynamic linker prefers over the C library's, and forward to glibc's own entry points.
// Every allocation of the process passes here, also those made inside libstdc++ (its operator
// new, nothrow and array forms call malloc, the aligned forms aligned_alloc) and inside the C
// library itself (fopen, time-zone set-up).
#include "bench/alloc_count.h"

#include <stddef.h>

#include <atomic>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void* __libc_valloc(size_t size);
void* __libc_pvalloc(size_t size);
void __libc_free(void* block);
}

namespace {
// Relaxed is enough: the count is read on the thread whose work it measures.
std::atomic<long> allocations{0};

void counted()
{
    allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

bool alloc_counting()
{
    return true;
}

long alloc_count()
{
    return allocations.load(std::memory_order_relaxed);
}

extern "C" {

void* malloc(size_t size)
{
    counted();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    counted();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size)
{
    counted();
    return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size)
{
    counted();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    counted();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    counted();
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    void* block = __libc_memalign(alignment, size);
    if (block == nullptr) return 12;  // ENOMEM
    *out = block;
    return 0;
}

void* valloc(size_t size)
{
    counted();
    return __libc_valloc(size);
}

void* pvalloc(size_t size)
{
    counted();
    return __libc_pvalloc(size);
}

void free(void* block)
{
    __libc_free(block);
}

}  // extern "C"
