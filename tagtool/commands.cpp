// read, save, compare and apply: the sets/ operations with their reports printed.
#include "tagtool/commands.h"

#include <time.h>

#include "model/config.h"
#include "model/text_quote.h"
#include "model/value_codec.h"
#include "sets/apply_run.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "sets/set_write.h"
#include "tagtool/command_support.h"

namespace {

// No reader or no tag: one line that says why, not a line per parameter that was never tried.
bool tag_missing(FILE* err)
{
    say_reader_problem(commandReport.opening, err);
    return commandReport.opening.outcome != SetOutcome::ok;
}

// A parameter missing from what read prints is a skipped line of the configuration: say so, and
// where pelox-check explains it.
void say_skipped_lines(const char* config, FILE* err)
{
    if (skippedLines.count == 1)
        fprintf(err, "%s: 1 line skipped, on line %d: pelox-check tells why\n", config, skippedLines.firstLine);
    else if (skippedLines.count > 1)
        fprintf(err, "%s: %d lines skipped, the first on line %d: pelox-check tells why\n", config, skippedLines.count,
                skippedLines.firstLine);
}

// Where a save may write: a new file, or with force an existing set; never a folder or a file
// that is no set (Pelox.ini given by mistake, a program, a text).
bool may_save_to(const char* path, bool force, FILE* err)
{
    switch (set_target(path)) {
    case SetTarget::absent: return true;
    case SetTarget::set:
        if (force) return true;
        fprintf(err, "%s: error: the file exists: give --force to replace it\n", path);
        return false;
    case SetTarget::folder: fprintf(err, "%s: error: a folder, not a file\n", path); return false;
    case SetTarget::other: break;
    }
    fprintf(err, "%s: error: not a parameter set: never replaced by a save\n", path);
    return false;
}

}  // namespace

int command_read(const char* config, FILE* out, FILE* err)
{
    say_skipped_lines(config, err);
    SetOutcome outcome = save_tag_set(0, &commandSet, &commandReport);
    if (tag_missing(err)) return TAG_NO_TAG;
    fprintf(out, "tag %016llX\n", static_cast<unsigned long long>(commandReport.uid));
    for (int i = 0; i < commandReport.count; ++i) {
        const SetItem& item = commandReport.items[i];
        const ParamEntry& p = ParamTable[item.record];
        char quoted[QUOTED_TEXT_SIZE], value[DISPLAY_TEXT_SIZE] = "No answer";
        quote_text(p.name, quoted, sizeof quoted);
        if (item.status == SetStatus::read) decode_value(p.type, commandReport.memory + p.address, value, sizeof value);
        fprintf(out, "page %d row %d %s: %s\n", item.record / PAGE_ROWS + 1, item.record % PAGE_ROWS + 1, quoted,
                value);
    }
    return outcome == SetOutcome::ok ? TAG_OK : TAG_NO_TAG;
}

int command_save(const char* path, bool force, FILE* out, FILE* err)
{
    if (!may_save_to(path, force, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = save_tag_set(static_cast<int64_t>(time(nullptr)), &commandSet, &commandReport);
    if (tag_missing(err)) return TAG_NO_TAG;
    if (outcome != SetOutcome::ok) {
        print_report(commandReport, commandSet, out);
        fprintf(err, "pelox-tag: %s: nothing saved\n", set_outcome_text(outcome));
        return TAG_NO_TAG;
    }
    if (!write_param_set_file(path, commandSet)) {
        fprintf(err, "%s: error: cannot write the file (the disk full, or no right to write there): nothing saved%s\n",
                path, force ? ", the file that was there is as it was" : "");
        return TAG_BAD_INPUT;
    }
    print_report(commandReport, commandSet, out);
    char notSet[SET_MAX_ENTRIES * 24];
    format_not_set(commandSet, notSet, sizeof notSet);
    if (notSet[0] != '\0') fprintf(out, "%s\n", notSet);
    return TAG_OK;
}

int command_compare(const char* path, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = compare_tag_set(commandSet, &commandReport);
    if (tag_missing(err)) return TAG_NO_TAG;
    print_report(commandReport, commandSet, out);
    return outcome == SetOutcome::different ? TAG_DIFFERENT : outcome == SetOutcome::ok ? TAG_OK : TAG_NO_TAG;
}

int command_apply(const char* path, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = apply_tag_set(commandSet, &commandReport);
    if (tag_missing(err)) return TAG_NO_TAG;
    print_report(commandReport, commandSet, out);
    if (outcome == SetOutcome::failed || outcome == SetOutcome::incomplete) return TAG_DIFFERENT;
    return outcome == SetOutcome::ok ? TAG_OK : TAG_NO_TAG;
}
