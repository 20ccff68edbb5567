// Inside sets/: the report's start and the pairing of a set with the configuration.
#pragma once
#include "sets/param_set.h"
#include "sets/set_report.h"

// An empty report, outcome ok.
void start_report(SetReport* report);

// One item per parameter of the configuration with a stored image (status same when the set has
// it, read when there is no set) and per entry that fits none, mismatches skipped with their
// reason. Items of parameters follow the configuration's order; unknown entries come last.
void match_set(const ParamSet* set, SetReport* report);
