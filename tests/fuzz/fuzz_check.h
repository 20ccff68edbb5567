// What the fuzz targets share: a check that stops the run with its reason, so that libFuzzer keeps
// the input as a crash, and the one time zone every target runs in.
#pragma once
#include <stdio.h>
#include <stdlib.h>

#define FUZZ_CHECK(condition, ...)                                                                                     \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            fprintf(stderr, "%s:%d: check failed: %s: ", __FILE__, __LINE__, #condition);                              \
            fprintf(stderr, __VA_ARGS__);                                                                              \
            fputc('\n', stderr);                                                                                       \
            abort();                                                                                                   \
        }                                                                                                              \
    } while (0)

// Time stamps are checked against calendar arithmetic in UTC.
void fuzz_use_utc();

// Defined by every target; the replay program calls them too.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size);
