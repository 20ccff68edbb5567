// --number NAME=FIRST[,STEP] and NAME=continue[,STEP]: the parameter found in the configuration
// and in the set, and every number a run may give checked against its type before the first
// device.
#pragma once
#include <stdio.h>

#include "sets/param_set.h"
#include "tagtool/produce.h"

// Reads the option and points number at the set's entry for the parameter, adding one when the
// set lacks it (the entry's own value no longer counts). *continues says that the first number
// is to come from the log. False after saying why on err: not in the configuration or in it
// twice, not Changeable, not a whole number, outside Min= and Max= or the type, a step below 1.
bool parse_numbering(const char* option, ParamSet* set, Numbering* number, bool* continues, FILE* err);

// For continue: the number after the highest the log's rows of this kind of run record (the log
// read into tagtool/log_index.h). False after saying why: no such row.
bool continue_numbering(const char* logPath, RunKind kind, const ParamSet& set, Numbering* number, FILE* err);

// Whether the first number lies within Min= and Max= (else the type's range), and with a count
// the last one too; false after saying why.
bool numbers_fit(const ParamSet& set, const Numbering& number, int count, FILE* err);
