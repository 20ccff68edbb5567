// What pelox-tag's commands share: the set and report, the set file read with its message, the
// reader's reason, a report printed.
#include "tagtool/command_support.h"

#include "reader_text/reader_reason.h"
#include "platform/files.h"
#include "sets/set_read.h"
#include "sets/set_text.h"

ParamSet commandSet;
SetReport commandReport;

void print_report(const SetReport& report, const ParamSet& set, FILE* out, const char* verdict)
{
    char line[SET_ITEM_TEXT_SIZE];
    for (int i = 0; i < report.count; ++i) {
        format_set_item(report, set, i, line, sizeof line);
        fprintf(out, "%s\n", line);
    }
    format_set_summary(report, line, sizeof line, verdict);
    fprintf(out, "%s\n", line);
}

bool read_set_or_say(const char* path, FILE* err)
{
    SetReadError error;
    if (read_param_set_file(path, &commandSet, &error)) return true;
    char message[FILE_PATH_SIZE + SET_ITEM_TEXT_SIZE];
    format_set_file_error(path, error, message, sizeof message);
    fprintf(err, "%s\n", message);
    return false;
}

void say_reader_problem(const TagOpening& opening, FILE* err)
{
    if (opening.outcome == SetOutcome::ok) return;
    char reason[READER_REASON_SIZE];
    reader_reason(opening.reader, opening.library, reason, sizeof reason);
    fprintf(err, "pelox-tag: %s: %s\n", set_outcome_text(opening.outcome), reason);
}
