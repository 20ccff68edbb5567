// What every load must leave in the parameter table, whatever the file held: the limits of the
// table and of lastPage, unused records without a type, terminated texts, stored bytes inside
// the tag's memory.
#pragma once
#include <string.h>

#include "fuzz/fuzz_check.h"
#include "fuzz/reference_text.h"
#include "model/param_table.h"

inline void check_loaded_table(int memorySize)
{
    FUZZ_CHECK(entryCount <= PARAM_COUNT, "entryCount %u", entryCount);
    uint32_t pages = entryCount / PAGE_ROWS;
    FUZZ_CHECK(lastPage == (pages > 4 ? 4 : pages), "lastPage %u for %u records", lastPage, entryCount);
    for (uint32_t i = 0; i < PARAM_COUNT; ++i) {
        const ParamEntry& e = ParamTable[i];
        // Records after the first unused one are cleared by the load and never written.
        if (i <= entryCount)
            FUZZ_CHECK(memchr(e.name, '\0', sizeof e.name) && memchr(e.description, '\0', sizeof e.description),
                       "record %u: text not terminated", i);
        if (i >= entryCount) {
            FUZZ_CHECK(e.type == ParamType::none, "record %u after the loaded ones has a type", i);
            continue;
        }
        int type = static_cast<int>(e.type), mode = static_cast<int>(e.mode);
        FUZZ_CHECK(type >= 1 && type <= 6 && mode >= 0 && mode <= 2, "record %u: type %d mode %d", i, type, mode);
        int size = reference_stored_size(e.type);
        if (size > 0)
            FUZZ_CHECK(e.address >= 0 && e.address + size <= memorySize, "record %u: %d bytes at %d", i, size,
                       e.address);
    }
}
