// Planning an apply: what it reads, skips and writes, worked out without the tag.
#pragma once
#include "sets/param_set.h"
#include "sets/set_report.h"

// The two planning steps of an apply, which need no tag. plan_apply matches the set to the
// configuration, decides what is skipped and why, gives each parameter to write its image and
// marks the blocks to read (blocksToRead). plan_writes, once those blocks are in memory, marks
// the parameters already holding their image as same and merges the others into the blocks to
// write (blocksToWrite). The requests an apply of the plan then sends: apply_exchanges
// (sets/apply_preview.h).
void plan_apply(const ParamSet& set, SetReport* report);
void plan_writes(SetReport* report);
// The entries a plan would write, before the tag shows which hold their value already: none when
// every entry is not set, display only or a software version, so that an apply would write nothing.
int count_planned_writes(const SetReport& report);
