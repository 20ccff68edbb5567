// The simulator's state written as text (format in sim/README.md), to inspect it or keep it
// from run to run.
#pragma once

#include <cstddef>

// Writes the whole state as text into `out` (cut to size - 1 characters and a NUL) and returns
// the length the full text needs.
size_t sim_state_write_text(char* out, size_t size);
bool sim_state_save(const char* path);
