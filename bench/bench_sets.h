// Writing the example set both ways, for the benchmarks and the request-count tests: examples/
// Pelox.ini loaded with examples/example.set, which holds a value for every parameter the window
// can write, on a factory-fresh tag.
#pragma once
#include "sets/param_set.h"
#include "sets/set_report.h"

// Loads the example configuration and reads the example set; false when either fails.
bool bench_load_example_set(ParamSet* set);

// Erased memory, passwords and sectors as delivered, the tag in the field.
void bench_fresh_tag();

// Every parameter the plan writes, written as the window's buttons write it: the value typed into
// its row's box (a Default row takes its default) and the row's button pressed, each write
// presenting the password, reading and writing its covering blocks and reading them back.
void write_set_by_buttons(const SetReport& plan, const ParamSet& set);
