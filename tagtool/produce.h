// A production run: every new tag placed on the reader gets the set, verified, and one log row;
// or, at a verifying station, every new tag is compared with the set, read only. A tag is not
// handled again until it has left the field. The waiting, the clock and the log are the
// caller's, so that a test can place tags in turn.
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"
#include "tagtool/log_csv.h"

enum {
    LEAVE_MS = 500,         // a tag silent this long has gone; a shorter loss is the same tag
    FAILED_UIDS_KEPT = 32,  // the failed devices a summary names; the rest are counted
};

enum class ProduceWait { forTag, forLeave };
// A production run writes every tag; a verifying station's run compares them, read only.
enum class RunKind { produce, verify };
// The command that starts the run, and its name in the log rows: "produce" or "verify".
const char* run_kind_word(RunKind kind);

// What every row of a run has in common.
struct LogSource {
    const char* station;  // the computer's name
    const char* setFile;
    const char* setCrc;  // the set's fingerprint (set_fingerprint) in 8 hexadecimal digits
    const char* toolVersion;
    const LogFormat* format;  // the log's separator, line end and columns; null: a new log's
    const char* reader;       // the reader library's revision, naming the simulator as such
};

// A number per device for one parameter: the set's entry for it takes first, first + step, ...
// Each device handled uses one, whatever became of it.
struct Numbering {
    int entry;  // the set entry, -1 for a run without numbers
    int64_t next;
    int64_t step;            // 1 or more
    int64_t high;            // the largest the parameter may take: Max=, else what its type holds
    bool continues = false;  // after the highest number the log holds, whichever station gave it
};

// What the log knows of a tag, from every row any station has written up to the look.
struct LogKnows {
    bool done;      // its latest produce row is ok with this set (and the operator has been told)
    bool numbered;  // a row gave it a number: it keeps it
    int64_t number;
    bool anyHighest;  // the highest number of this kind of run, for continue
    int64_t highest;
    bool unknown;  // verify: the production log has no number for the tag (said to the operator)
};

struct ProduceHooks {
    void* context;
    // Called before the next poll; lastPoll is how the last one ended. False ends the run.
    bool (*wait)(void* context, ProduceWait what, const TagOpening& lastPoll);
    int64_t (*now)(void* context);       // seconds since 1970 UTC
    int64_t (*clock_ms)(void* context);  // a clock that only goes forward, in milliseconds
    // The device's log row, whole with its line end; false when it is not safely stored, which
    // ends the run before the next device. Called before anything about the device is shown.
    bool (*log)(void* context, const char* row);
    // Takes the log (locked until reserve) and says what it knows of the tag; false when it cannot
    // be read, which ends the run. A done tag is left as it is, uncounted. May be null: the log
    // knows nothing, and reserve is not called.
    bool (*look_up)(void* context, uint64_t uid, LogKnows* knows);
    // Appends the reservation row (result writing) before the tag is written and lets the log go;
    // row null: nothing to append. False when the row is not safely stored: nothing is written.
    bool (*reserve)(void* context, const char* row);
    // The device's report on the set it got, for the operator, once its row is logged (logged
    // false: it could not be); device counts from 1, number is "" or "NAME=VALUE". May be null.
    void (*device)(void* context, const SetReport& report, const ParamSet& set, int device, const char* number,
                   bool logged);
};

struct ProduceResult {
    int devices;
    int failed;
    int skipped;  // already done
    uint64_t failedUids[FAILED_UIDS_KEPT];
    bool logFailed;
    bool numbersUsedUp;  // the next number would not fit the parameter: stopped before it
    int leftOut;         // verify: devices whose number was not compared (none known for them)
    int unknown;         // verify: devices the production log does not know: counted as different
};

// Runs until count devices are done (0: no limit), the wait hook says stop, a log row could not
// be stored, or the numbers are used up. set is changed only in the numbered entry's value.
ProduceResult produce(ParamSet& set, RunKind kind, int count, Numbering* number, const LogSource& source,
                      const ProduceHooks& hooks);

// The row of a handled device: result ok or failed (produce), same, different or failed
// (verify: failed when a block could not be read), and the parameters that failed, were not
// written or differ, quoted as the console names them. number is "" or "NAME=VALUE". With
// reserving, the row that reserves the number before the write: result writing.
void format_log_row(const LogSource& source, RunKind kind, const SetReport& report, int64_t now, const char* number,
                    char* out, size_t size, bool reserving = false);
