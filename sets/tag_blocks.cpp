// The tag memory a report works on: which blocks its parameters touch, read once each.
#include "sets/tag_blocks.h"

#include <string.h>

#include "model/param_table.h"
#include "tag/tag_memory.h"

int32_t item_address(const SetItem& item)
{
    return item.record >= 0 ? ParamTable[item.record].address : 0;
}

int item_size(const SetItem& item)
{
    return item.record >= 0 ? stored_size(ParamTable[item.record].type) : 0;
}

void want_blocks(SetReport* report, const SetItem& item)
{
    int size = item_size(item);
    if (size == 0) return;
    int32_t address = item_address(item);
    // The loader keeps every stored image within the tag's memory.
    for (int32_t b = address / BLOCK_SIZE; b <= (address + size - 1) / BLOCK_SIZE; ++b) {
        if (!report->wanted[b]) ++report->blocksToRead;
        report->wanted[b] = true;
    }
}

int read_wanted_blocks(SetReport* report, bool stopAtFailure)
{
    int firstFailure = -1;
    for (int b = 0; b < TAG_BLOCKS; ++b) {
        if (!report->wanted[b] || report->read[b]) continue;
        report->read[b] = tag_read_block(b, report->memory + BLOCK_SIZE * b);
        if (!report->read[b] && firstFailure < 0) firstFailure = b;
        if (!report->read[b] && stopAtFailure) break;
    }
    return firstFailure;
}

int unread_block(const SetReport& report, const SetItem& item)
{
    int size = item_size(item);
    int32_t address = item_address(item);
    for (int32_t b = address / BLOCK_SIZE; size > 0 && b <= (address + size - 1) / BLOCK_SIZE; ++b)
        if (!report.read[b]) return b;
    return -1;
}
