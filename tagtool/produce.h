// A production run: every new tag placed on the reader gets the set, verified, and one log line;
// a tag is not written again until it has left the field. The waiting, the clock and the log are
// the caller's, so that a test can place tags in turn.
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

enum {
    LEAVE_MS = 500,                // a tag silent this long has gone; a shorter loss is the same tag
    PRODUCE_LOG_LINE_SIZE = 2048,  // a longer list of failed parameters is cut, its count kept
};

enum class ProduceWait { forTag, forLeave };

struct ProduceHooks {
    void* context;
    // Called before the next poll; lastPoll is how the last one ended. False ends the run.
    bool (*wait)(void* context, ProduceWait what, SetOutcome lastPoll);
    int64_t (*now)(void* context);       // seconds since 1970 UTC
    int64_t (*clock_ms)(void* context);  // a clock that only goes forward, in milliseconds
    // The device's log line, whole with its line end; false when it is not safely stored, which
    // ends the run before the next device. Called before anything about the device is shown.
    bool (*log)(void* context, const char* line);
    // The device's report, for the operator, once its line is logged (logged false: it could not
    // be); may be null.
    void (*device)(void* context, const SetReport& report, bool logged);
};

struct ProduceResult {
    int devices;
    int failed;
    bool logFailed;
};

// Runs until count devices are done (0: no limit), the wait hook says stop, or a log line could
// not be stored.
ProduceResult produce(const ParamSet& set, int count, const ProduceHooks& hooks);

// "2026-12-08 23:13:20 UTC E002A1B2C3D4E5F6 ok\n", or "... failed 2: "Gain" "Lang"\n" naming
// every parameter that failed or was not written.
void format_log_line(const SetReport& report, int64_t now, char* out, size_t size);
