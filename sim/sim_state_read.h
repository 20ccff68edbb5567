// The simulator's state file read: a tag set up from text (format in sim/README.md).
#pragma once

#include <cstddef>

enum { SIM_STATE_LINE_MAX = 160 };  // longer lines are ignored whole

// One line of input into `line` (NUL-terminated, without the line end). Returns 1 for a line,
// 0 for a line too long for `size` (the rest of it is skipped), -1 at the end of input.
typedef int (*SimLineSource)(char* line, size_t size, void* context);

// Replaces the state by a factory tag and applies every line it understands; unknown or
// malformed lines are ignored. Log and call counters are kept, and so is an open USB handle
// unless the text makes the reader absent.
void sim_state_parse(SimLineSource next, void* context);
void sim_state_read_text(const char* text);
// The state file by its UTF-8 path; the state is untouched unless it is loaded.
enum SimLoad { SIM_FILE_LOADED, SIM_FILE_MISSING, SIM_FILE_UNREADABLE };
SimLoad sim_state_read_file(const char* path);
// False (and the state untouched) when the file cannot be opened or read.
bool sim_state_load(const char* path);
