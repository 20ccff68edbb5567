// pelox-tag's commands on the loaded configuration and the tag in the reader's field. Each
// prints one finding a line to out (problems with files to err) and returns the exit status.
#pragma once
#include <stdio.h>

enum {
    TAG_OK = 0,
    TAG_DIFFERENT = 1,  // compare: different; apply, produce: a parameter or device failed
    TAG_BAD_INPUT = 2,  // usage, configuration, set file, output file or log
    TAG_NO_TAG = 3,     // no reader, no tag, or a block that could not be read: nothing written
};

int command_read(FILE* out, FILE* err);
// force: replace an existing set file.
int command_save(const char* path, bool force, FILE* out, FILE* err);
int command_compare(const char* path, FILE* out, FILE* err);
int command_apply(const char* path, FILE* out, FILE* err);
// What apply would do on the tag in the field, read only: nothing written, no password.
int command_dry_run(const char* path, FILE* out, FILE* err);
// A production run (or with verify a verifying station's): set the set file, log the CSV log,
// count 0 until Ctrl+C, number "NAME=FIRST[,STEP]" or "NAME=continue" or null, again: write
// tags the log records as done for the set.
struct ProductionOptions {
    const char* set;
    const char* log;
    int count;
    const char* number;
    bool again;
    bool verify;
};
int command_produce(const ProductionOptions& options, FILE* out, FILE* err);
