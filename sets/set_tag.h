// Parameter sets and the tag in the reader's field: save the tag's parameters into a set,
// compare the tag with a set, apply a set to the tag. Each fills a report, parameter by
// parameter (sets/set_report.h), and writes no text anywhere; the parameters are those of the
// loaded configuration (ParamTable, entryCount), the password its header's.
//
// For the window, for example ("Write saved parameters..."):
//     static ParamSet set;
//     static SetReport report;
//     SetReadError error;
//     if (!read_param_set_file(path, &set, &error)) { format_set_read_error(error, text, size); ... }
//     apply_tag_set(set, &report);
//     for (int i = 0; i < report.count; ++i) { format_set_item(report, set, i, line, sizeof line); ... }
//     format_set_summary(report, line, sizeof line);
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

// Opens the reader and identifies the tag in its field.
SetOutcome open_tag(uint64_t* uid);
// How the last open_tag reached the tag, and for a library that cannot be used, why: what a
// console tool says about the reader in the window's words (reader_reason).
ReaderOutcome last_reader_outcome(const LibraryReport** library);

// Reads every parameter that has a stored image into set, its header saying this tool, the tag's
// UID, now and the configuration. Reads every block once and goes on past a failed one, so that
// the report names every parameter that could not be read; the outcome is ok only when all were
// read. Write the set only then: a set lacking a parameter would leave it unwritten on the next
// device, and one recording "not-set" for an unread value would be wrong.
SetOutcome save_tag_set(int64_t now, ParamSet* set, SetReport* report);

// Reads the parameters the set and the configuration share and compares the values: ok when
// every one is the same and every entry fits the configuration, different otherwise. A "not-set"
// entry means "leave it as it is": skipped, not compared.
SetOutcome compare_tag_set(const ParamSet& set, SetReport* report);

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

// What apply_tag_set would do, read only: every block the parameters to write touch read (going
// on past a failed one), and each parameter to write marked toWrite or same; nothing written, no
// password presented. The outcome is readFailed when a block could not be read (its parameters
// failed), else incomplete or ok as the apply would end if all went well.
SetOutcome dry_run_tag_set(const ParamSet& set, SetReport* report);
// Whether the tag that open_tag has just identified holds what apply_opened_tag writes: each
// parameter it would write same or different, read only; the other entries skipped as an apply
// skips them. ok, different, readFailed, or incomplete for entries an apply cannot apply.
SetOutcome verify_opened_tag(const ParamSet& set, uint64_t uid, SetReport* report);
// The reader exchanges an apply of the planned report would take when nothing fails.
int apply_exchanges(const SetReport& report);

// The two planning steps of an apply, which need no tag. plan_apply matches the set to the
// configuration, decides what is skipped and why, gives each parameter to write its image and
// marks the blocks to read (blocksToRead). plan_writes, once those blocks are in memory, marks
// the parameters already holding their image as same and merges the others into the blocks to
// write (blocksToWrite). An apply then sends 1 + blocksToRead requests, and when blocksToWrite is
// not 0 another 3 + 2 * blocksToWrite (the tag identified again before the first write and after
// the read-back, the password, the writes and read-backs), plus 2 for every refused block retried.
void plan_apply(const ParamSet& set, SetReport* report);
void plan_writes(SetReport* report);
