// pelox-check: reads a "Pelox.ini" with the tool's own loader and reports, line by line, what
// the tool makes of it.
#pragma once
#include <stdio.h>

enum {
    CHECK_OK = 0,          // nothing skipped, nothing overlaps
    CHECK_PROBLEMS = 1,    // a definition skipped or never read, or stored bytes overlapping
    CHECK_UNREADABLE = 2,  // the file cannot be opened or read
};

// Writes the report for the file at path to out and returns one of the CHECK_ results.
// Loads the file into the tool's table and settings, as the tool does at start-up.
int check_config(const char* path, FILE* out);
