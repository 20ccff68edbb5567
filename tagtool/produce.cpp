// The production loop: poll, write (or at a verifying station compare) a new tag, log it, wait
// until it has gone.
#include "tagtool/produce.h"

#include <stdio.h>
#include <string.h>

#include "model/time_text.h"
#include "sets/apply_preview.h"
#include "sets/apply_run.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"

namespace {

SetReport report;  // static: too large for the stack of a console program

const char* result_word(RunKind kind, SetOutcome outcome)
{
    if (outcome == SetOutcome::ok) return kind == RunKind::verify ? "same" : "ok";
    return kind == RunKind::verify && outcome == SetOutcome::different ? "different" : "failed";
}

// Stops the waiting for the tag to leave once it has: silent for LEAVE_MS, or another tag answers.
struct Leaving {
    uint64_t last;
    bool waiting;
    int64_t silentSince;  // when the last tag first did not answer, -1 while it answers

    void start(uint64_t uid)
    {
        last = uid;
        waiting = true;
        silentSince = -1;
    }
    void see(SetOutcome poll, uint64_t uid, int64_t now)
    {
        if (!waiting) return;
        // A failed reader tells nothing about the tag; another tag says the last one has gone.
        if (poll == SetOutcome::noTag && silentSince < 0) silentSince = now;
        else if (poll == SetOutcome::ok) silentSince = -1;
        waiting = !((poll == SetOutcome::ok && uid != last) || (silentSince >= 0 && now - silentSince >= LEAVE_MS));
    }
};

}  // namespace

const char* run_kind_word(RunKind kind)
{
    return kind == RunKind::verify ? "verify" : "produce";
}

void format_log_row(const LogSource& source, RunKind kind, const SetReport& r, int64_t now, const char* number,
                    char* out, size_t size, bool reserving)
{
    if (size == 0) return;
    char when[UTC_TEXT_SIZE], uid[17], parameters[LOG_PARAMETERS_SIZE];
    format_utc(now, when, sizeof when);
    char* utc = strstr(when, " UTC");  // the column's name says it
    if (utc != nullptr) *utc = '\0';
    snprintf(uid, sizeof uid, "%016llX", static_cast<unsigned long long>(r.uid));
    parameters[0] = '\0';
    for (int i = 0; i < r.count; ++i)
        if (needs_attention(r.items[i].status) &&
            !add_quoted_name(parameters, sizeof parameters,
                             r.items[i].record >= 0 ? ParamTable[r.items[i].record].name : "?"))
            break;
    const char* fields[LOG_COLUMNS] = {when,
                                       source.station,
                                       run_kind_word(kind),
                                       source.setFile,
                                       source.setCrc,
                                       source.toolVersion,
                                       uid,
                                       reserving ? "writing" : result_word(kind, r.outcome),
                                       number,
                                       parameters,
                                       source.reader};
    if (reserving) fields[LOG_PARAMETERS] = "";
    LogFormat fresh = new_log_format(',');
    // The buffer holds every field at its longest; a field cut off would leave no row at all.
    if (!join_log_row(source.format != nullptr ? *source.format : fresh, fields, out, size)) out[0] = '\0';
}

namespace {

// The device's number: the one the log gave it, else the run's next (after the log's highest
// with continue). False when a new one would not fit.
bool choose_number(Numbering* number, const LogKnows& knows, int64_t* chosen)
{
    if (knows.numbered) return *chosen = knows.number, true;
    int64_t next = number->next;
    if (number->continues && knows.anyHighest && knows.highest + number->step > next)
        next = knows.highest + number->step;
    if (next > number->high) return false;
    *chosen = next;
    number->next = next + number->step;
    return true;
}

}  // namespace

ProduceResult produce(ParamSet& set, RunKind kind, int count, Numbering* number, const LogSource& source,
                      const ProduceHooks& hooks)
{
    ProduceResult result = {};
    Leaving leaving = {0, false, -1};
    bool numbered = number != nullptr && number->entry >= 0;
    while (count <= 0 || result.devices < count) {
        if (numbered && !number->continues && number->next > number->high) {
            result.numbersUsedUp = true;  // before the next tag: no wait for a device it could not number
            break;
        }
        uint64_t uid = 0;
        TagOpening poll = open_tag(&uid);
        leaving.see(poll.outcome, uid, hooks.clock_ms(hooks.context));
        if (leaving.waiting || poll.outcome != SetOutcome::ok) {
            if (!hooks.wait(hooks.context, leaving.waiting ? ProduceWait::forLeave : ProduceWait::forTag, poll)) break;
            continue;
        }
        // Every decision about the device from the log as it is now, under its lock until reserved.
        LogKnows knows = {};
        if (hooks.look_up != nullptr && !hooks.look_up(hooks.context, uid, &knows)) {
            result.logFailed = true;
            break;
        }
        bool locked = hooks.look_up != nullptr;
        if (knows.done) {
            hooks.reserve(hooks.context, nullptr);
            ++result.skipped;  // left as it is, and waited for to go like a device just written
            leaving.start(uid);
            if (!hooks.wait(hooks.context, ProduceWait::forLeave, poll)) break;
            continue;
        }
        char numberText[LOG_FIELD_SIZE] = "";
        // A verifying station expects the number the production log gave the device, whatever
        // the order of arrival; without one the number is left out of the comparison.
        if (numbered && kind == RunKind::verify) {
            SetEntry& e = set.entries[number->entry];
            e.value = static_cast<int32_t>(knows.number);
            e.valueSet = knows.numbered;
            if (knows.numbered)
                snprintf(numberText, sizeof numberText, "%s=%lld", e.name, static_cast<long long>(knows.number));
            else ++result.leftOut;
        } else if (numbered) {
            int64_t chosen = 0;
            if (!choose_number(number, knows, &chosen)) {
                if (locked) hooks.reserve(hooks.context, nullptr);
                result.numbersUsedUp = true;
                break;
            }
            SetEntry& e = set.entries[number->entry];
            e.value = static_cast<int32_t>(chosen);
            e.valueSet = true;
            snprintf(numberText, sizeof numberText, "%s=%lld", e.name, static_cast<long long>(chosen));
        }
        char row[LOG_ROW_SIZE];
        report.uid = uid;
        report.count = 0;
        // The number is the device's before the tag holds it: a run that ends in the write leaves
        // the number taken, never free for another device.
        format_log_row(source, kind, report, hooks.now(hooks.context), numberText, row, sizeof row, true);
        if (locked && !hooks.reserve(hooks.context, kind == RunKind::produce ? row : nullptr)) {
            result.logFailed = true;
            break;
        }
        if (kind == RunKind::verify) verify_opened_tag(set, uid, &report);
        else apply_opened_tag(set, uid, &report);
        if (knows.unknown && report.outcome == SetOutcome::ok) report.outcome = SetOutcome::different;
        result.unknown += knows.unknown ? 1 : 0;
        ++result.devices;
        if (report.outcome != SetOutcome::ok) {
            if (result.failed < FAILED_UIDS_KEPT) result.failedUids[result.failed] = uid;
            ++result.failed;
        }
        format_log_row(source, kind, report, hooks.now(hooks.context), numberText, row, sizeof row);
        // On the disk first: a run that ends while the operator is told still has the record.
        bool logged = hooks.log(hooks.context, row);
        if (hooks.device) hooks.device(hooks.context, report, set, result.devices, numberText, logged);
        if (!logged) {
            result.logFailed = true;
            break;
        }
        leaving.start(uid);
        // Always a pause between two devices, where Ctrl+C is heard.
        if ((count > 0 && result.devices >= count) || !hooks.wait(hooks.context, ProduceWait::forLeave, poll)) break;
    }
    return result;
}
