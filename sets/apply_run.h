// Applying a set to the tag: the verified writes.
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

// Writes what the window's buttons could write, verified: Changeable values, Default parameters
// to their default only; never DisplayOnly or swver, nor "not-set" entries. Reads every block the
// parameters touch once; writes each block holding a differing image once, merged from what was
// read, so no other byte changes; reads each written block back once. Presents the password once
// before the first write, and again only to retry a block the tag refused. Stops at the first
// failure; the report says what was written, what failed and what was not written. Identifies the
// tag again before the first write (another tag, or none: nothing is written) and after the
// read-back (another tag, or none: the written parameters count as failed, not verified). Entries
// it cannot apply (not fitting, a Default entry not at its default) make the outcome incomplete.
SetOutcome apply_tag_set(const ParamSet& set, SetReport* report);

// The same on a tag that open_tag has just identified (production polls first).
SetOutcome apply_opened_tag(const ParamSet& set, uint64_t uid, SetReport* report);
