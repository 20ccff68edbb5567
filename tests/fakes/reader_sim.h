// The simulator-backed reader library's one control of its own: the state of CR95HF.dll.
#pragma once
#include "tag/library_file.h"

// What reader_library_load reports from now on; a report with fault none (the default) lets
// the simulator answer.
void reader_sim_set_library(const LibraryReport& report);
