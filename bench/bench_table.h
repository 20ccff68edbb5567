// The parameter set the benchmarks and timing tests run on: 100 definitions that take every
// stored type and edit mode in turn, at addresses that start at each offset within a block, and
// a simulated tag holding a valid value for each.
#pragma once
#include <string>

#include "model/param_table.h"

enum { BENCH_PASSWORD = 0x1A2B3C4D };

// "Pelox.ini": a header with the password and the "ssec" button, and 100 definitions.
std::string bench_config_text();

// Writes every definition's value image into the simulated tag and gives it the password.
// Call after sim_reset and after the table was loaded.
void bench_fill_tag();

// First row of the current page holding this type in mode Changeable, -1 when there is none.
int bench_row(ParamType type);
