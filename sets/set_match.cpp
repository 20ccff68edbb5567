// A set against the loaded configuration: which entry belongs to which parameter (name, address
// and type), each mismatch with its reason.
#include "sets/set_match.h"

#include <string.h>

#include "model/value_codec.h"

namespace {

SetItem& add_item(SetReport* report, int record, int entry, SetStatus status, SetReason reason)
{
    SetItem& item = report->items[report->count++];
    item = SetItem{};
    item.record = static_cast<int16_t>(record);
    item.entry = static_cast<int16_t>(entry);
    item.status = status;
    item.reason = reason;
    item.block = -1;
    return item;
}

SetReason mismatch(const ParamEntry& record, const SetEntry& entry)
{
    bool address = record.address != entry.address, type = record.type != entry.type;
    return address && type ? SetReason::addressAndTypeDiffer
           : address       ? SetReason::addressDiffers
                           : SetReason::typeDiffers;
}

}  // namespace

void start_report(SetReport* report)
{
    memset(report, 0, sizeof *report);
    report->outcome = SetOutcome::ok;
}

void match_set(const ParamSet* set, SetReport* report)
{
    start_report(report);
    int entries = set != nullptr ? set->count : 0;
    int owner[PARAM_COUNT];  // the entry matched to each record, -1 for none
    bool used[SET_MAX_ENTRIES] = {};
    uint32_t records = entryCount < uint32_t{PARAM_COUNT} ? entryCount : uint32_t{PARAM_COUNT};
    // Exact matches first, so that a parameter whose name recurs is not taken by its namesake.
    for (uint32_t r = 0; r < records; ++r) {
        owner[r] = -1;
        const ParamEntry& p = ParamTable[r];
        for (int e = 0; e < entries && stored_size(p.type) > 0; ++e) {
            const SetEntry& s = set->entries[e];
            if (!used[e] && s.address == p.address && s.type == p.type && strcmp(s.name, p.name) == 0) {
                owner[r] = e;
                used[e] = true;
                break;
            }
        }
    }
    for (uint32_t r = 0; r < records; ++r) {
        const ParamEntry& p = ParamTable[r];
        if (owner[r] >= 0) {
            add_item(report, static_cast<int>(r), owner[r], SetStatus::same, SetReason::none);
            continue;
        }
        // An entry of the same name elsewhere or of another type: refused, saying how it differs.
        int namesake = -1;
        for (int e = 0; e < entries && namesake < 0; ++e)
            if (!used[e] && strcmp(set->entries[e].name, p.name) == 0) namesake = e;
        if (namesake >= 0) {
            used[namesake] = true;
            add_item(report, static_cast<int>(r), namesake, SetStatus::skipped, mismatch(p, set->entries[namesake]));
        } else if (stored_size(p.type) > 0 && set != nullptr) {
            add_item(report, static_cast<int>(r), -1, SetStatus::skipped, SetReason::notInSet);
        } else if (stored_size(p.type) > 0) {
            add_item(report, static_cast<int>(r), -1, SetStatus::read, SetReason::none);
        }
    }
    for (int e = 0; e < entries; ++e)
        if (!used[e]) add_item(report, -1, e, SetStatus::skipped, SetReason::notInConfiguration);
    report->fingerprintDiffers = set != nullptr && set->fingerprint != config_fingerprint();
}
