// pelox-tag produce and verify: the production loop with the console's pause, clocks, stop
// requests and progress, and a log whose every row is on the disk, whole, before anything about
// its device is shown.
#include "tagtool/produce_command.h"

#include <string.h>
#include <time.h>

#include "model/text_quote.h"
#include "pelox_version.h"
#include "sets/apply_plan.h"
#include "platform/files.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "tagtool/command_support.h"
#include "tagtool/commands.h"
#include "platform/console.h"
#include "tagtool/numbering.h"
#include "tagtool/log_index.h"
#include "tagtool/production_log.h"
#include "platform/station.h"
#include "reader_text/reader_info.h"

namespace {

enum { POLL_PAUSE_MS = 200 };

struct Console {
    FILE* out;
    FILE* err;
    ProductionLog* log;
    ProductionLog* production;   // verify: the producing station's log when it is another file
    const char* productionPath;  // verify: the producing station's log as given, null for none
    const char* logPath;
    uint32_t setCrc;   // the set's fingerprint, in the rows this version writes
    uint32_t fileCrc;  // the CRC-32 of its bytes, in the rows of version 1.2.0
    int count;
    int said;  // what the operator was last told while waiting, -1 for nothing
    RunKind kind;
    bool again;
};

bool wait_console(void* context, ProduceWait what, const TagOpening& lastPoll)
{
    Console& c = *static_cast<Console*>(context);
    // A reader lost while the tag is to leave cannot tell whether it has: both waits go on.
    bool lost = lastPoll.outcome == SetOutcome::noReader;
    int now = what == ProduceWait::forLeave ? (lost ? 3 : 0) : lost ? 1 : 2;
    if (now != c.said) {
        const char* const kSay[] = {
            "take the tag away", "the reader could not be opened: waiting for it", "waiting for a tag",
            "the reader could not be opened: waiting for it, then for the tag to be taken away"};
        fprintf(c.out, "%s\n", kSay[now]);
        if (lost) say_reader_problem(lastPoll, c.err);
        fflush(c.out);
        c.said = now;
    }
    console_pause_ms(POLL_PAUSE_MS);
    return !console_interrupted();
}

int64_t now_utc(void*)
{
    return static_cast<int64_t>(time(nullptr));
}

int64_t clock_ms(void*)
{
    return console_clock_ms();
}

bool log_row(void* context, const char* row)
{
    Console& c = *static_cast<Console*>(context);
    // The device is written: its row waits for the log however long another program holds it.
    if (!lock_production_log(c.log, false, c.out, c.err)) return false;
    bool stored = append_log_row(c.log, row);
    unlock_production_log(c.log);
    return stored;
}

bool look_up(void* context, uint64_t uid, LogKnows* knows)
{
    Console& c = *static_cast<Console*>(context);
    if (!lock_production_log(c.log, true, c.out, c.err)) return false;
    // A verifying station's own log has no say in what a device holds; the production log has.
    if (c.production != nullptr && lock_production_log(c.production, true, c.out, c.err))
        unlock_production_log(c.production);
    else if (c.production != nullptr) return unlock_production_log(c.log), false;
    const DeviceRecord* d = c.kind == RunKind::produce || c.productionPath != nullptr ? index_find(uid) : nullptr;
    *knows = LogKnows{};
    if (c.productionPath != nullptr && (d == nullptr || !d->numbered)) {
        knows->unknown = true;
        fprintf(c.out,
                "%016llX: %s in the production log %s: its number is not known, the device counts as different\n",
                static_cast<unsigned long long>(uid), d == nullptr ? "not" : "without a number", c.productionPath);
        fflush(c.out);
        c.said = -1;
    }
    knows->anyHighest = index_highest(run_kind_word(c.kind), &knows->highest);
    if (d == nullptr) return true;
    knows->numbered = d->numbered;
    knows->number = d->number;
    // Only a writing station leaves done tags alone; a verifying one checks every tag it sees.
    knows->done = c.kind == RunKind::produce && !c.again && strcmp(d->result, "ok") == 0 &&
                  (d->setCrc == c.setCrc || d->setCrc == c.fileCrc);
    if (!knows->done) return true;
    fprintf(c.out, "%016llX: done already on %s UTC (%s, row %d): not written again, not counted (--again writes it)\n",
            static_cast<unsigned long long>(uid), d->time, c.logPath, d->line);
    fflush(c.out);
    c.said = -1;
    return true;
}

bool reserve(void* context, const char* row)
{
    Console& c = *static_cast<Console*>(context);
    bool stored = row == nullptr || append_log_row(c.log, row);
    unlock_production_log(c.log);
    if (!stored)
        fprintf(c.err,
                "%s: error: the row that reserves the device's number could not be written (the disk full?): "
                "nothing written; stopped\n",
                c.logPath);
    return stored;
}

// The parameters that need the operator's eye, then "device 17 of 50: UID: outcome: counts".
void show_device(void* context, const SetReport& report, const ParamSet& set, int device, const char* number,
                 bool logged)
{
    Console& c = *static_cast<Console*>(context);
    char line[SET_ITEM_TEXT_SIZE];
    for (int i = 0; i < report.count; ++i) {
        if (!needs_attention(report.items[i].status)) continue;
        format_set_item(report, set, i, line, sizeof line);
        fprintf(c.out, "%s\n", line);
    }
    format_set_summary(report, line, sizeof line);
    fprintf(c.out, "device %d", device);
    if (c.count > 0) fprintf(c.out, " of %d", c.count);
    fprintf(c.out, "%s%s: %s\n", number[0] != '\0' ? ", " : "", number, line);
    fflush(c.out);
    // A number that is in no row would be given again by a run that continues from the log.
    if (!logged)
        fprintf(c.err,
                "%s: error: the row of %016llX could not be written (the disk full?): the device is %s%s%s but "
                "not logged; stopped\n",
                c.logPath, static_cast<unsigned long long>(report.uid), set_outcome_text(report.outcome),
                number[0] != '\0' ? " with " : "", number);
    c.said = -1;
}

void print_summary(const ProduceResult& r, RunKind kind, int64_t ms, FILE* out)
{
    bool verify = kind == RunKind::verify;
    fprintf(out, "devices %d: %s %d, %s %d", r.devices, verify ? "same" : "ok", r.devices - r.failed,
            verify ? "different" : "failed", r.failed);
    for (int i = 0; i < r.failed && i < FAILED_UIDS_KEPT; ++i)
        fprintf(out, "%s%016llX", i == 0 ? " (" : " ", static_cast<unsigned long long>(r.failedUids[i]));
    if (r.failed > FAILED_UIDS_KEPT) fprintf(out, " and %d more", r.failed - FAILED_UIDS_KEPT);
    if (r.failed > 0) fprintf(out, ")");
    if (!verify) fprintf(out, ", skipped as done already %d", r.skipped);
    long seconds = static_cast<long>(ms / 1000);
    fprintf(out, "; %ld min %ld s", seconds / 60, seconds % 60);
    if (ms >= 1000) fprintf(out, ", %.1f devices a minute", r.devices * 60000.0 / static_cast<double>(ms));
    const char* stop = console_stop_reason();
    if (stop[0] != '\0') fprintf(out, "; ended by %s", stop);
    if (r.numbersUsedUp) fprintf(out, "; ended before the next number, which would not fit");
    if (r.unknown > 0) fprintf(out, "; %d not in the production log", r.unknown);
    if (r.leftOut > 0 && r.unknown < r.leftOut)
        fprintf(out, "; the number left out of the comparison (no production log: --production-log LOG)");
    fprintf(out, "\n");
}

// The set refused before the first device when a device could not get it whole (produce) or be
// compared with all of it (verify), or when it would get nothing: every device logged ok for it.
bool set_usable(const char* path, RunKind kind, bool numbered, FILE* out, FILE* err)
{
    plan_apply(commandSet, &commandReport);
    bool verify = kind == RunKind::verify, whole = count_unappliable(commandReport) == 0;
    bool empty = !numbered && count_planned_writes(commandReport) == 0;
    if (whole && !empty) return true;
    print_report(commandReport, commandSet, out, "refused");
    if (!whole)
        fprintf(err, "%s: error: the set cannot be %s whole (see the skipped entries): no tag %s\n", path,
                verify ? "compared" : "applied", verify ? "read" : "written");
    else
        fprintf(err,
                "%s: error: the set %s nothing (its entries are not-set, display only or software versions): "
                "no tag %s\n",
                path, verify ? "compares" : "writes", verify ? "read" : "written");
    return false;
}

}  // namespace

int command_produce(const ProductionOptions& o, FILE* out, FILE* err)
{
    RunKind kind = o.verify ? RunKind::verify : RunKind::produce;
    if (!read_set_or_say(o.set, err)) return TAG_BAD_INPUT;
    uint32_t fileCrc = 0;
    if (!file_crc32(o.set, &fileCrc)) {
        fprintf(err, "%s: error: cannot read the file\n", o.set);
        return TAG_BAD_INPUT;
    }
    uint32_t setCrc = set_fingerprint(commandSet);  // the set as read, before a number takes its entry
    Numbering number = {-1, 0, 1, 0, false};
    bool continues = false;
    // A verifying station takes each number from the production log: NAME alone says which.
    char option[LOG_FIELD_SIZE + 16];
    const char* numberOption = o.number;
    if (kind == RunKind::verify && o.number != nullptr && strchr(o.number, '=') == nullptr) {
        snprintf(option, sizeof option, "%.*s=continue", LOG_FIELD_SIZE - 1, o.number);
        numberOption = option;
    }
    if (numberOption != nullptr && !parse_numbering(numberOption, &commandSet, &number, &continues, err))
        return TAG_BAD_INPUT;
    if (kind == RunKind::verify) continues = false;
    if (continues && !file_exists(o.log)) {
        fprintf(err, "%s: error: no such log, so no number to continue from\n", o.log);
        return TAG_BAD_INPUT;
    }
    // Everything that can be refused without the log is, before the log is created.
    bool fits = kind == RunKind::verify || continues || numbers_fit(commandSet, number, o.count, err);
    if (!fits || !set_usable(o.set, kind, number.entry >= 0, out, err)) return TAG_BAD_INPUT;
    if (o.productionLog != nullptr && !file_exists(o.productionLog)) {
        fprintf(err, "%s: error: no such production log\n", o.productionLog);
        return TAG_BAD_INPUT;
    }
    static ProductionLog log, production;
    // One file is one log: opened twice, closing either would let the other's lock go.
    const char* productionPath =
        o.productionLog != nullptr && strcmp(o.productionLog, o.log) != 0 ? o.productionLog : nullptr;
    index_reset(number.entry >= 0 ? commandSet.entries[number.entry].name : "");
    if (productionPath != nullptr && !open_production_log(&production, productionPath, ',', out, err))
        return TAG_BAD_INPUT;
    if (!open_production_log(&log, o.log, o.semicolons ? ';' : ',', out, err)) return TAG_BAD_INPUT;
    if (continues &&
        (!continue_numbering(o.log, kind, commandSet, &number, err) || !numbers_fit(commandSet, number, o.count, err)))
        return TAG_BAD_INPUT;
    char stationName[STATION_NAME_SIZE], crcText[9];
    station_name(stationName, sizeof stationName);
    snprintf(crcText, sizeof crcText, "%08lX", static_cast<unsigned long>(setCrc));
    // The library's revision in every row: a run on the simulator never passes for a real one.
    char reader[READER_INFO_TEXT_SIZE + 64];
    reader_library_text(reader, sizeof reader);
    LogSource source = {stationName, o.set, crcText, PELOX_VERSION_TEXT, &log.format, reader};
    console_catch_interrupt();
    Console console = {out,
                       err,
                       &log,
                       productionPath != nullptr ? &production : nullptr,
                       o.productionLog,
                       o.log,
                       setCrc,
                       fileCrc,
                       o.count,
                       -1,
                       kind,
                       o.again};
    ProduceHooks hooks = {&console, wait_console, now_utc, clock_ms, log_row, look_up, reserve, show_device};
    int64_t start = console_clock_ms();
    ProduceResult result = produce(commandSet, kind, o.count, &number, source, hooks);
    int64_t took = console_clock_ms() - start;
    console_finished();
    print_summary(result, kind, took, out);
    if (result.logFailed || result.numbersUsedUp) return TAG_BAD_INPUT;
    return result.failed > 0 ? TAG_DIFFERENT : TAG_OK;
}
