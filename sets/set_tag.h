// Parameter sets and the tag in the reader's field: save the tag's parameters into a set,
// compare the tag with a set (applying a set is in sets/apply_run.h, its read-only preview in
// sets/apply_preview.h). Each fills a report, parameter by parameter (sets/set_report.h), and
// writes no text anywhere; the parameters are those of the loaded configuration (ParamTable,
// entryCount), the password its header's.
//
// For the window, for example ("Write saved parameters..."):
//     static ParamSet set;
//     static SetReport report;
//     SetReadError error;
//     if (!read_param_set_file(path, &set, &error)) { format_set_read_error(error, text, size); ... }
//     apply_tag_set(set, &report);  // sets/apply_run.h
//     for (int i = 0; i < report.count; ++i) { format_set_item(report, set, i, line, sizeof line); ... }
//     format_set_summary(report, line, sizeof line);
#pragma once
#include <stdint.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

// Opens the reader and identifies the tag in its field (its UID into uid).
TagOpening open_tag(uint64_t* uid);

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
