// pelox-check: reads a "Pelox.ini" with the tool's own loader and reports, line by line, what
// the tool makes of it.
#pragma once
#include <stddef.h>
#include <stdio.h>

enum {
    CHECK_OK = 0,          // nothing skipped, nothing overlaps
    CHECK_PROBLEMS = 1,    // a definition skipped or never read, or stored bytes overlapping
    CHECK_UNREADABLE = 2,  // the file cannot be opened or read, or is far too long
};

// The checker reads at most this many bytes: a configuration holds a few kilobytes, and the
// bound keeps a device or an endless pipe from running it forever and its line and column
// numbers within an int.
enum { CHECK_INPUT_LIMIT = 16 * 1024 * 1024 };

// Where the report goes, a piece at a time.
struct CheckOutput {
    void* context;
    void (*write)(void* context, const char* bytes, size_t length);
};
// The report into a C stream (the program's standard output).
CheckOutput file_output(FILE* file);

// Writes the report for the file at path and returns one of the CHECK_ results. The file is
// opened once and read once, from start to end, so a pipe reads like a file. Loads it into the
// tool's table and settings, as the tool does at start-up.
int check_config(const char* path, const CheckOutput& out);

// The same for length bytes in memory; name stands for the file in every finding.
int check_config_text(const char* name, const char* bytes, size_t length, const CheckOutput& out);
