// What an apply would do or has done, read only: the dry run, the verifying station's check, and
// the exchanges an apply takes.
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

// What apply_tag_set would do, read only: every block the parameters to write touch read (going
// on past a failed one), and each parameter to write marked toWrite or same; nothing written, no
// password presented. The outcome is readFailed when a block could not be read (its parameters
// failed), else incomplete or ok as the apply would end if all went well.
SetOutcome dry_run_tag_set(const ParamSet& set, SetReport* report);
// Whether the tag that open_tag has just identified holds what apply_opened_tag writes: each
// parameter it would write same or different, read only; the other entries skipped as an apply
// skips them. ok, different, readFailed, or incomplete for entries an apply cannot apply.
SetOutcome verify_opened_tag(const ParamSet& set, uint64_t uid, SetReport* report);
// The reader exchanges an apply of the planned report takes when nothing fails (2 more a retried block).
int apply_exchanges(const SetReport& report);
