// The production loop: poll, write a new tag, log it, wait until it has gone.
#include "tagtool/produce.h"

#include <stdio.h>
#include <string.h>

#include "model/text_quote.h"
#include "model/time_text.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"

namespace {

SetReport report;  // static: too large for the stack of a console program

bool unfinished(const SetItem& item)
{
    return item.status == SetStatus::failed || item.status == SetStatus::notWritten;
}

}  // namespace

void format_log_line(const SetReport& r, int64_t now, char* out, size_t size)
{
    if (size == 0) return;
    char when[UTC_TEXT_SIZE];
    format_utc(now, when, sizeof when);
    int failed = 0;
    for (int i = 0; i < r.count; ++i) failed += unfinished(r.items[i]);
    bool ok = r.outcome == SetOutcome::ok;
    out[0] = '\0';
    append_format(out, size, "%s %016llX %s", when, static_cast<unsigned long long>(r.uid), ok ? "ok" : "failed");
    if (!ok) append_format(out, size, " %d:", failed);
    // The names while they fit, leaving room for " ..." and the line end.
    for (int i = 0; i < r.count && !ok; ++i) {
        if (!unfinished(r.items[i])) continue;
        char quoted[QUOTED_TEXT_SIZE];
        quote_text(ParamTable[r.items[i].record].name, quoted, sizeof quoted);
        if (strlen(out) + 1 + strlen(quoted) + 6 > size) {
            append_format(out, size, " ...");
            break;
        }
        append_format(out, size, " %s", quoted);
    }
    append_format(out, size, "\n");
}

ProduceResult produce(const ParamSet& set, int count, const ProduceHooks& hooks)
{
    ProduceResult result = {};
    uint64_t last = 0;
    bool waitingLeave = false;
    int64_t silentSince = -1;  // when the last tag first did not answer, -1 while it answers
    while (count <= 0 || result.devices < count) {
        uint64_t uid = 0;
        SetOutcome poll = open_tag(&uid);
        if (waitingLeave) {
            // A failed reader tells nothing about the tag; another tag says the last one has gone.
            int64_t now = hooks.clock_ms(hooks.context);
            if (poll == SetOutcome::noTag && silentSince < 0) silentSince = now;
            else if (poll == SetOutcome::ok) silentSince = -1;
            bool gone = (poll == SetOutcome::ok && uid != last) || (silentSince >= 0 && now - silentSince >= LEAVE_MS);
            waitingLeave = !gone;
        }
        if (waitingLeave || poll != SetOutcome::ok) {
            if (!hooks.wait(hooks.context, waitingLeave ? ProduceWait::forLeave : ProduceWait::forTag, poll)) break;
            continue;
        }
        apply_opened_tag(set, uid, &report);
        ++result.devices;
        result.failed += report.outcome != SetOutcome::ok;
        char line[PRODUCE_LOG_LINE_SIZE];
        format_log_line(report, hooks.now(hooks.context), line, sizeof line);
        // On the disk first: a run that ends while the operator is told still has the record.
        bool logged = hooks.log(hooks.context, line);
        if (hooks.device) hooks.device(hooks.context, report, logged);
        if (!logged) {
            result.logFailed = true;
            break;
        }
        last = uid;
        waitingLeave = true;
        silentSince = -1;
        // Always a pause between two devices, where Ctrl+C is heard.
        if ((count > 0 && result.devices >= count) || !hooks.wait(hooks.context, ProduceWait::forLeave, poll)) break;
    }
    return result;
}
