// What pelox-tag's commands share: the set and report they work on (static: too large for a
// console program's stack), reading the set file with its message, printing a report.
#pragma once
#include <stdio.h>

#include "sets/param_set.h"
#include "sets/set_report.h"

extern ParamSet commandSet;
extern SetReport commandReport;

// Reads the set file into commandSet; on failure prints "FILE:LINE: error: ..." to err.
bool read_set_or_say(const char* path, FILE* err);
// For no reader or no tag, the reason in the window's words: "pelox-tag: no tag answered: ...".
void say_reader_problem(const TagOpening& opening, FILE* err);
// One line an item, then the summary (with verdict in place of the outcome's text, if given).
void print_report(const SetReport& report, const ParamSet& set, FILE* out, const char* verdict = nullptr);
