// pelox-tag apply FILE --dry-run: what an apply would do to the tag in the field, and what it
// would cost in exchanges with the reader, found by reading only.
#include "tagtool/dry_run.h"

#include "sets/apply_preview.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "tagtool/command_support.h"
#include "tagtool/commands.h"

int command_dry_run(const char* path, FILE* out, FILE* err)
{
    if (!read_set_or_say(path, err)) return TAG_BAD_INPUT;
    SetOutcome outcome = dry_run_tag_set(commandSet, &commandReport);
    if (outcome == SetOutcome::noReader || outcome == SetOutcome::noTag) {
        say_reader_problem(commandReport.opening, err);
        fprintf(out, "%s: nothing read, nothing written\n", set_outcome_text(outcome));
        return TAG_NO_TAG;
    }
    print_report(commandReport, commandSet, out);
    if (outcome == SetOutcome::readFailed) {
        fprintf(out, "dry run: a block could not be read, so what an apply would write is not known; nothing "
                     "written\n");
        return TAG_NO_TAG;
    }
    fprintf(out,
            "dry run: an apply would take %d exchanges with the tag (this one took %d); nothing written, no "
            "password presented\n",
            apply_exchanges(commandReport), 1 + commandReport.blocksToRead);
    return outcome == SetOutcome::incomplete ? TAG_DIFFERENT : TAG_OK;
}
