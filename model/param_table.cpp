// The parameter table and the paging state.
#include "model/param_table.h"

#include <string.h>

ParamEntry ParamTable[PARAM_COUNT];
uint32_t entryCount = 0;
int32_t currentPage = 0;
uint32_t lastPage = 0;

void clear_table()
{
    memset(ParamTable, 0, sizeof ParamTable);
    entryCount = 0;
}

ParamEntry& record_at(int32_t page, int32_t row)
{
    // Callers keep page <= lastPage and row < 20; the clamp only guards against a caller fault.
    if (page < 0) page = 0;
    if (page > MAX_PAGE) page = MAX_PAGE;
    if (row < 0) row = 0;
    if (row >= PAGE_ROWS) row = PAGE_ROWS - 1;
    return ParamTable[page * PAGE_ROWS + row];
}

uint32_t compute_last_page(uint32_t count)
{
    uint32_t page = count / PAGE_ROWS;
    return page > static_cast<uint32_t>(MAX_PAGE) ? static_cast<uint32_t>(MAX_PAGE) : page;
}
