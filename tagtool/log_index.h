// What the production log knows, kept while it is read: for each UID the latest produce row
// (its result, set and number), and the highest number each kind of run has given. Fixed-size
// tables, so that a run needs no memory it might not get; rows beyond their limit are refused.
#pragma once
#include <stdint.h>

#include "tagtool/log_csv.h"

enum {
    LOG_DEVICES_MAX = 200000,   // devices a log may hold: a 100 000-row log holds at most 100 000
    LOG_INDEX_SLOTS = 1 << 18,  // a power of two well above LOG_DEVICES_MAX, so that a search is short
    LOG_TIME_SIZE = 24,
};

// The latest produce row of one device; the number is the latest any of its rows gave it.
struct DeviceRecord {
    uint64_t uid;  // 0: a free slot
    uint32_t setCrc;
    int32_t number;
    int line;
    bool numbered;
    char result[8];  // ok, failed or writing
    char time[LOG_TIME_SIZE];
};

// Empties the index; numberName is the parameter whose numbers are kept ("" for none).
void index_reset(const char* numberName);
// Takes in a row as read: full when the index holds LOG_DEVICES_MAX devices, misspelt when its
// number names the kept parameter in another case ("addr=22" for "Addr"), which a run never writes.
enum class IndexAdd { added, full, misspelt };
IndexAdd index_add(const LogRow& row);
const DeviceRecord* index_find(uint64_t uid);
// The highest number of the parameter in the rows of command ("produce" or "verify").
bool index_highest(const char* command, int64_t* highest);
