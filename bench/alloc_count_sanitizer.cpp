// Allocation counter for sanitizer builds, whose runtime owns malloc and operator new: it calls
// this hook on every allocation it serves.
#include "bench/alloc_count.h"

#include <stddef.h>

#include <atomic>

// From the sanitizers' allocator interface, whose header g++ does not ship.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*on_malloc)(const volatile void*, size_t),
                                                         void (*on_free)(const volatile void*));

namespace {
std::atomic<long> allocations{0};

void on_allocation(const volatile void*, size_t)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
}
void on_free(const volatile void*) {}

// Installed before main, so that the count covers every test.
const int installed = __sanitizer_install_malloc_and_free_hooks(on_allocation, on_free);
}  // namespace

bool alloc_counting()
{
    return installed != 0;
}

long alloc_count()
{
    return allocations.load(std::memory_order_relaxed);
}
