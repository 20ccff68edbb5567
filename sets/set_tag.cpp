// Opening the tag, saving a tag's parameters into a set, and comparing a tag with a set.
#include "sets/set_tag.h"

#include <stdio.h>
#include <string.h>

#include "sets/set_match.h"
#include "sets/tag_blocks.h"
#include "tag/identify.h"
#include "tag/tag_memory.h"

#ifndef PELOX_TOOL_VERSION
#define PELOX_TOOL_VERSION "0.0.0"
#endif

TagOpening open_tag(uint64_t* uid)
{
    ReaderDetail detail = {};
    TagOpening opening = {SetOutcome::noReader, reader_open(&detail), detail.library};
    if (opening.reader != ReaderOutcome::ok) return opening;
    if (!tag_identify(uid)) opening.reader = ReaderOutcome::noTag;
    opening.outcome = opening.reader == ReaderOutcome::ok ? SetOutcome::ok : SetOutcome::noTag;
    return opening;
}

namespace {

// Opens and identifies; reads the blocks of every item that has a record, going on past
// failures. Marks each item whose blocks could not all be read as failed, the others with the
// value the tag holds. The outcome of what went wrong first, ok when nothing did.
SetOutcome read_items(SetReport* report)
{
    report->opening = open_tag(&report->uid);
    report->uidKnown = report->opening.outcome == SetOutcome::ok;
    if (!report->uidKnown) {
        for (int i = 0; i < report->count; ++i)
            if (!is_mismatch(report->items[i].reason)) report->items[i].status = SetStatus::failed;
        return report->opening.outcome;
    }
    for (int i = 0; i < report->count; ++i)
        if (!is_mismatch(report->items[i].reason)) want_blocks(report, report->items[i]);
    bool failure = read_wanted_blocks(report, false) >= 0;
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.record < 0 || is_mismatch(item.reason)) continue;
        int missing = unread_block(*report, item);
        if (missing >= 0) {
            item.status = SetStatus::failed;
            item.reason = SetReason::noAnswer;
            item.block = static_cast<int16_t>(missing);
            continue;
        }
        item.tagValueSet =
            stored_value(ParamTable[item.record].type, report->memory + item_address(item), &item.tagValue);
    }
    return failure ? SetOutcome::readFailed : SetOutcome::ok;
}

}  // namespace

SetOutcome save_tag_set(int64_t now, ParamSet* set, SetReport* report)
{
    match_set(nullptr, report);
    memset(set, 0, sizeof *set);
    report->outcome = read_items(report);
    if (report->outcome != SetOutcome::ok) return report->outcome;
    snprintf(set->tool, sizeof set->tool, "%s", PELOX_TOOL_VERSION);
    set->uid = report->uid;
    set->saved = now;
    set->configCount = entryCount;
    set->fingerprint = config_fingerprint();
    for (int i = 0; i < report->count; ++i) {
        const SetItem& item = report->items[i];
        const ParamEntry& p = ParamTable[item.record];
        SetEntry& e = set->entries[set->count++];
        memcpy(e.name, p.name, sizeof e.name);
        e.address = p.address;
        e.type = p.type;
        e.valueSet = item.tagValueSet;
        e.value = item.tagValue;
    }
    return SetOutcome::ok;
}

SetOutcome compare_tag_set(const ParamSet& set, SetReport* report)
{
    match_set(&set, report);
    SetOutcome outcome = read_items(report);
    if (outcome == SetOutcome::noReader || outcome == SetOutcome::noTag) return report->outcome = outcome;
    bool differs = count_mismatches(*report) > 0;
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.status != SetStatus::same) continue;
        const SetEntry& e = set.entries[item.entry];
        if (!e.valueSet) {  // "not-set" leaves the parameter as it is: nothing to compare
            item.status = SetStatus::skipped;
            item.reason = SetReason::notSetInSet;
            continue;
        }
        bool same = item.tagValueSet && e.value == item.tagValue;
        if (!same) item.status = SetStatus::different;
        differs = differs || !same;
    }
    return report->outcome = outcome == SetOutcome::readFailed ? outcome
                             : differs                         ? SetOutcome::different
                                                               : SetOutcome::ok;
}
