// pelox-tag's commands on the loaded configuration and the tag in the reader's field. Each
// prints one finding a line to out (problems with files to err) and returns the exit status.
// The dry run is in tagtool/dry_run.h, the production run in tagtool/produce_command.h.
#pragma once
#include <stdio.h>

enum {
    TAG_OK = 0,
    TAG_DIFFERENT = 1,  // compare: different; apply, produce: a parameter or device failed
    TAG_BAD_INPUT = 2,  // usage, configuration, set file, output file or log
    TAG_NO_TAG = 3,     // no reader, no tag, or a block that could not be read: nothing written
};

// config names the configuration where it says that lines of it were skipped.
int command_read(const char* config, FILE* out, FILE* err);
// force: replace an existing set file.
int command_save(const char* path, bool force, FILE* out, FILE* err);
int command_compare(const char* path, FILE* out, FILE* err);
int command_apply(const char* path, FILE* out, FILE* err);
