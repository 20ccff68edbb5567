// pelox-tag produce: the production loop with the console's pause, clocks and stop requests, and
// a log whose every line is on the disk, whole, before anything about its device is shown.
#include <time.h>

#include "model/text_quote.h"
#include "sets/set_file.h"
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
    FILE* err;
    FILE* log;
    const char* logPath;
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
        if (now == 1) say_reader_problem(lastPoll, c.err);
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

bool log_line(void* context, const char* line)
{
    return append_line_whole(static_cast<Console*>(context)->log, line);
}

void show_device(void* context, const SetReport& report, bool logged)
{
    Console& c = *static_cast<Console*>(context);
    print_report(report, commandSet, c.out);
    fflush(c.out);
    if (!logged)
        fprintf(c.err,
                "%s: error: the line of %016llX could not be written (the disk full?): the device is %s but "
                "not logged; production stopped\n",
                c.logPath, static_cast<unsigned long long>(report.uid), set_outcome_text(report.outcome));
    c.said = -1;
}

// Whether the file's last byte is a line end (or the file is empty).
bool ends_with_line_end(FILE* file)
{
    if (fseek(file, 0, SEEK_END) != 0 || ftell(file) <= 0) return true;
    if (fseek(file, -1, SEEK_END) != 0) return true;
    int last = fgetc(file);
    fseek(file, 0, SEEK_END);
    return last == '\n';
}

// The log for appending, its last line ended if a previous run was cut off while writing it.
FILE* open_log(const char* path, FILE* out, FILE* err)
{
    FILE* log = is_folder(path) ? nullptr : open_file(path, "a+b");
    if (log == nullptr) {
        fprintf(err, "%s: error: cannot open the log for appending\n", path);
        return nullptr;
    }
    if (!ends_with_line_end(log)) {
        if (!append_line_whole(log, "\n")) {
            fprintf(err, "%s: error: the log's last line lacks its end, and it cannot be added\n", path);
            fclose(log);
            return nullptr;
        }
        fprintf(out, "%s: the last line was cut off (a run ended while writing it): its line end was added\n", path);
    }
    return log;
}

}  // namespace

int command_produce(const char* path, const char* logPath, int count, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    // A set that cannot be applied whole would leave parameters unwritten on every device.
    plan_apply(commandSet, &commandReport);
    if (count_unappliable(commandReport) > 0) {
        commandReport.outcome = SetOutcome::refused;
        print_report(commandReport, commandSet, out);
        fprintf(err, "%s: error: the set cannot be applied whole (see the skipped entries): no tag written\n", path);
        return TAG_BAD_INPUT;
    }
    FILE* log = open_log(logPath, out, err);
    if (log == nullptr) return TAG_BAD_INPUT;
    console_catch_interrupt();
    Console console = {out, err, log, logPath, -1};
    ProduceResult result =
        produce(commandSet, count, ProduceHooks{&console, wait_console, now_utc, clock_ms, log_line, show_device});
    bool closed = fclose(log) == 0;
    console_finished();
    const char* stop = console_stop_reason();
    fprintf(out, "devices %d, failed %d%s%s\n", result.devices, result.failed, stop[0] != '\0' ? ", ended by " : "",
            stop);
    if (result.logFailed) return TAG_BAD_INPUT;
    if (!closed) {
        fprintf(err, "%s: error: the log could not be closed\n", logPath);
        return TAG_BAD_INPUT;
    }
    return result.failed > 0 ? TAG_DIFFERENT : TAG_OK;
}
