// The parameter table: every parameter definition loaded from "Pelox.ini", and the paging
// state kept beside it. Program-wide static data, filled once at start-up.
#pragma once
#include <stdint.h>

enum {
    PARAM_COUNT = 100,      // records in the table
    PAGE_ROWS = 20,         // rows of the dialog, records per page
    MAX_PAGE = 4,           // last page inside the table
    PARAM_TEXT_SIZE = 256,  // name and description buffers
};

enum class ParamType : int32_t { none = 0, int8 = 1, int16 = 2, int32 = 3, time = 4, swver = 5, empty = 6 };

enum class EditMode : int32_t { DisplayOnly = 0, Changeable = 1, Default = 2 };

struct ParamEntry {
    int32_t address;  // byte address of the first stored byte in the tag
    ParamType type;
    int32_t defaultValue;  // from "Default=", 0 when the line has none
    EditMode mode;
    char name[PARAM_TEXT_SIZE];
    char description[PARAM_TEXT_SIZE];
    // The values a write may store when limited: "Min=" and "Max=" of the line (what the type
    // holds for the one it leaves out). A record that is not limited takes what its type holds.
    bool limited;
    int32_t minValue;
    int32_t maxValue;
};

extern ParamEntry ParamTable[PARAM_COUNT];
extern uint32_t entryCount;  // leading records in use, 0 to 100
extern int32_t currentPage;  // page on display
extern uint32_t lastPage;    // entryCount / 20, at most 4

// Whether a record gets a row on its page: unused records and empty placeholders get none.
inline bool row_shown(const ParamEntry& record)
{
    return record.type != ParamType::none && record.type != ParamType::empty;
}

// All records zero, entryCount 0.
void clear_table();
// Record page * 20 + row; page and row outside the table are clamped into it.
ParamEntry& record_at(int32_t page, int32_t row);
// lastPage as it follows from entryCount.
uint32_t compute_last_page(uint32_t count);
