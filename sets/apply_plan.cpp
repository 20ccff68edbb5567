// Planning an apply without a tag: what is written and why the rest is not, which blocks are
// read, and once they are read, which blocks are written with what.
#include "sets/apply_plan.h"

#include <string.h>

#include "model/value_codec.h"
#include "sets/set_match.h"
#include "sets/set_tag.h"
#include "sets/tag_blocks.h"

namespace {

// Why a matched parameter is not written, or none when it is: what the window's buttons do.
SetReason not_written_because(const ParamEntry& p, const SetEntry& e)
{
    if (p.type == ParamType::swver) return SetReason::softwareVersion;
    if (p.mode == EditMode::DisplayOnly) return SetReason::displayOnly;
    if (!e.valueSet) return SetReason::notSetInSet;
    if (p.mode == EditMode::Default && e.value != p.defaultValue) return SetReason::notItsDefault;
    return SetReason::none;
}

}  // namespace

void plan_apply(const ParamSet& set, SetReport* report)
{
    match_set(&set, report);
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.status != SetStatus::same) continue;  // refused: does not fit the configuration
        const ParamEntry& p = ParamTable[item.record];
        const SetEntry& e = set.entries[item.entry];
        SetReason reason = not_written_because(p, e);
        int size = reason == SetReason::none ? encode_value(p.type, e.value, item.image) : 0;
        if (reason == SetReason::none && size <= 0) reason = SetReason::doesNotFit;
        // Min= and Max= say what the device accepts; the type alone cannot.
        if (reason == SetReason::none && !value_allowed(p, e.value)) reason = SetReason::outsideLimits;
        if (reason != SetReason::none) {
            item.status = SetStatus::skipped;
            item.reason = reason;
            continue;
        }
        // To be written until the tag shows it holds the image already.
        item.status = SetStatus::notWritten;
        item.size = static_cast<uint8_t>(size);
        want_blocks(report, item);
    }
}

void plan_writes(SetReport* report)
{
    memcpy(report->merged, report->memory, sizeof report->merged);
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.size == 0) continue;
        int32_t address = item_address(item);
        item.tagValueSet = stored_value(ParamTable[item.record].type, report->memory + address, &item.tagValue);
        if (memcmp(report->memory + address, item.image, item.size) == 0) {
            item.status = SetStatus::same;
            continue;
        }
        // Every differing image goes into its blocks; the bytes around it stay as read.
        memcpy(report->merged + address, item.image, item.size);
        for (int32_t b = address / BLOCK_SIZE; b <= (address + item.size - 1) / BLOCK_SIZE; ++b) {
            if (!report->toWrite[b]) ++report->blocksToWrite;
            report->toWrite[b] = true;
        }
    }
}

int count_planned_writes(const SetReport& report)
{
    int n = 0;
    for (int i = 0; i < report.count; ++i) n += report.items[i].size > 0;
    return n;
}
