// pelox-tag produce: the production loop with the console's pause, clock, Ctrl+C and a log whose
// every line is on the disk before the next device.
#include <time.h>

#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "tagtool/command_support.h"
#include "tagtool/commands.h"
#include "tagtool/console.h"
#include "tagtool/produce.h"

namespace {

enum { POLL_PAUSE_MS = 200 };

struct Console {
    FILE* out;
    FILE* log;
    int said;  // what the operator was last told while waiting, -1 for nothing
};

bool wait_console(void* context, ProduceWait what, SetOutcome lastPoll)
{
    Console& c = *static_cast<Console*>(context);
    int now = what == ProduceWait::forLeave ? 0 : lastPoll == SetOutcome::noReader ? 1 : 2;
    if (now != c.said) {
        const char* const kSay[] = {"take the tag away", "the reader could not be opened: waiting for it",
                                    "waiting for a tag"};
        fprintf(c.out, "%s\n", kSay[now]);
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

bool log_line(void* context, const char* line)
{
    Console& c = *static_cast<Console*>(context);
    return fputs(line, c.log) >= 0 && file_commit(c.log);
}

void show_device(void* context, const SetReport& report)
{
    Console& c = *static_cast<Console*>(context);
    print_report(report, commandSet, c.out);
    fflush(c.out);
    c.said = -1;
}

}  // namespace

int command_produce(const char* path, const char* logPath, int count, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    // A set that does not fit the configuration would leave parameters unwritten on every device.
    plan_apply(commandSet, &commandReport);
    if (count_mismatches(commandReport) > 0) {
        print_report(commandReport, commandSet, out);
        fprintf(err, "%s: error: the set does not fit the configuration: no tag written\n", path);
        return TAG_BAD_INPUT;
    }
    FILE* log = fopen(logPath, "ab");
    if (log == nullptr) {
        fprintf(err, "%s: error: cannot open the log for appending\n", logPath);
        return TAG_BAD_INPUT;
    }
    console_catch_interrupt();
    Console console = {out, log, -1};
    ProduceResult result =
        produce(commandSet, count, ProduceHooks{&console, wait_console, now_utc, log_line, show_device});
    bool closed = fclose(log) == 0;
    fprintf(out, "devices %d, failed %d%s\n", result.devices, result.failed,
            console_interrupted() ? ", ended by Ctrl+C" : "");
    if (result.logFailed || !closed) {
        fprintf(err, "%s: error: a log line could not be written: production stopped\n", logPath);
        return TAG_BAD_INPUT;
    }
    return result.failed > 0 ? TAG_DIFFERENT : TAG_OK;
}
