// What an apply would do on the tag in the field, and whether the tag holds what an apply would
// have written, both found out by reading only.
#include "sets/apply_preview.h"

#include "sets/apply_plan.h"
#include "sets/set_match.h"
#include "sets/set_tag.h"
#include "sets/tag_blocks.h"

namespace {

// The tag identified: every block the parameters to write touch read, going on past a failed
// one; each such parameter same, failed (a block not read), or given status pending.
SetOutcome read_planned(SetReport* report, SetStatus pending)
{
    bool unread = read_wanted_blocks(report, false) >= 0;
    plan_writes(report);
    bool differs = false;
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.size == 0) continue;
        int block = unread_block(*report, item);
        if (block >= 0) {
            item.status = SetStatus::failed;
            item.reason = SetReason::noAnswer;
            item.block = static_cast<int16_t>(block);
        } else if (item.status == SetStatus::notWritten) {
            item.status = pending;
            differs = true;
        }
    }
    if (unread) return report->outcome = SetOutcome::readFailed;
    if (count_unappliable(*report) > 0) return report->outcome = SetOutcome::incomplete;
    return report->outcome = differs && pending == SetStatus::different ? SetOutcome::different : SetOutcome::ok;
}

}  // namespace

SetOutcome dry_run_tag_set(const ParamSet& set, SetReport* report)
{
    plan_apply(set, report);
    report->opening = open_tag(&report->uid);
    report->uidKnown = report->opening.outcome == SetOutcome::ok;
    if (!report->uidKnown) return report->outcome = report->opening.outcome;
    return read_planned(report, SetStatus::toWrite);
}

SetOutcome verify_opened_tag(const ParamSet& set, uint64_t uid, SetReport* report)
{
    plan_apply(set, report);
    report->uid = uid;
    report->uidKnown = true;
    return read_planned(report, SetStatus::different);
}

int apply_exchanges(const SetReport& report)
{
    // The identification, the reads; before the writes the identification again and the password,
    // the writes, their read-backs, the identification after them.
    return 1 + report.blocksToRead + (report.blocksToWrite > 0 ? 3 + 2 * report.blocksToWrite : 0);
}
