// Counts heap allocations in the whole process (malloc, calloc, realloc, aligned allocations
// and operator new), so that a test or benchmark can show that a stretch of work allocates nothing.
#pragma once

// True when this build can count (glibc without sanitizers, or a sanitizer's allocation hooks).
bool alloc_counting();

// Allocations made in the process so far, by any thread.
long alloc_count();
