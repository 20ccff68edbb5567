// read, save, compare and apply: the sets/ operations with their reports printed.
#include "tagtool/commands.h"

#include <time.h>

#include "model/config.h"
#include "model/text_quote.h"
#include "model/value_codec.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "tagtool/command_support.h"

ParamSet commandSet;
SetReport commandReport;

void print_report(const SetReport& report, const ParamSet& set, FILE* out)
{
    char line[SET_ITEM_TEXT_SIZE];
    for (int i = 0; i < report.count; ++i) {
        format_set_item(report, set, i, line, sizeof line);
        fprintf(out, "%s\n", line);
    }
    format_set_summary(report, line, sizeof line);
    fprintf(out, "%s\n", line);
}

bool read_set_or_say(const char* path, FILE* err)
{
    SetReadError error;
    if (read_param_set_file(path, &commandSet, &error)) return true;
    char message[256];
    format_set_read_error(error, message, sizeof message);
    if (error.problem == SetProblem::none) fprintf(err, "%s: error: %s\n", path, message);
    else fprintf(err, "%s:%d: error: %s\n", path, error.line, message);
    return false;
}

// The status for an outcome that ended before the tag was changed.
int tag_problem(SetOutcome outcome)
{
    return outcome == SetOutcome::ok ? TAG_OK : TAG_NO_TAG;
}

int command_read(FILE* out, FILE* err)
{
    SetOutcome outcome = save_tag_set(0, &commandSet, &commandReport);
    if (!commandReport.uidKnown) {
        fprintf(err, "pelox-tag: %s\n", set_outcome_text(outcome));
        return TAG_NO_TAG;
    }
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
    return tag_problem(outcome);
}

int command_save(const char* path, FILE* out, FILE* err)
{
    SetOutcome outcome = save_tag_set(static_cast<int64_t>(time(nullptr)), &commandSet, &commandReport);
    if (outcome != SetOutcome::ok) {
        print_report(commandReport, commandSet, out);
        fprintf(err, "pelox-tag: %s: nothing saved\n", set_outcome_text(outcome));
        return TAG_NO_TAG;
    }
    if (!write_param_set_file(path, commandSet)) {
        fprintf(err, "%s: error: cannot write the file\n", path);
        return TAG_BAD_INPUT;
    }
    print_report(commandReport, commandSet, out);
    return TAG_OK;
}

int command_compare(const char* path, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = compare_tag_set(commandSet, &commandReport);
    print_report(commandReport, commandSet, out);
    return outcome == SetOutcome::different ? TAG_DIFFERENT : tag_problem(outcome);
}

int command_apply(const char* path, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = apply_tag_set(commandSet, &commandReport);
    print_report(commandReport, commandSet, out);
    if (outcome == SetOutcome::failed || (outcome == SetOutcome::ok && count_mismatches(commandReport) > 0))
        return TAG_DIFFERENT;
    return tag_problem(outcome);
}
